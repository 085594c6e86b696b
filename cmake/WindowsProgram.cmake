# SPDX-License-Identifier: MIT
# The window program for Windows, cross-built with MinGW-w64 against the Qt
# of scripts/build-qt-windows: what its tests need under Wine, and the
# folder a player runs it from (target windows_folder, in
# voxtarn-<version>/ here), with what windeployqt would put beside it.

# The MinGW runtime DLLs that the Qt DLLs load, and that the programs of
# this build load too (see the top-level CMakeLists.txt).
set(mingw_runtime "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "The MinGW runtime ${dll} was not found")
  endif()
  list(APPEND mingw_runtime ${path})
endforeach()

# MeCab's DLL beside the import library card/ links (scripts/build-mecab-windows
# installs them as bin/libmecab.dll and lib/libmecab.dll.a), and the compiled
# IPA dictionary of the Linux build: its byte order is Windows' on x86-64.
get_filename_component(mecab_root "${MECAB_LIBRARY}" DIRECTORY)
get_filename_component(mecab_root "${mecab_root}" DIRECTORY)
set(mecab_dll "${mecab_root}/bin/libmecab.dll")
if(NOT EXISTS "${mecab_dll}")
  message(FATAL_ERROR "No MeCab DLL beside ${MECAB_LIBRARY} (scripts/build-mecab-windows makes both)")
endif()
find_path(VOXTARN_MECAB_DIC sys.dic PATHS /var/lib/mecab/dic/ipadic-utf8
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_file(VOXTARN_IPADIC_COPYRIGHT copyright PATHS /usr/share/doc/mecab-ipadic
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# Tests under Wine: the DLLs from where they lie (WINEPATH takes Windows
# paths, ';' between them); on the offscreen platform, which on Windows
# reads its fonts from a folder, the Mincho faces of the Linux build; and
# MeCab's resource file naming the Linux build's dictionary, which MeCab
# reads from MECABRC when no dictionary lies beside the program.
function(windows_path out unix_path)
  string(REPLACE "/" "\\" path "Z:${unix_path}")
  set(${out} "${path}" PARENT_SCOPE)
endfunction()
get_target_property(qt_core_dll Qt6::Core LOCATION)
set(dll_dirs "")
foreach(dir ${mingw_runtime} ${qt_core_dll} ${mecab_dll})
  get_filename_component(dir "${dir}" DIRECTORY)
  get_filename_component(dir "${dir}" REALPATH)  # Wine does not resolve ".." in WINEPATH
  windows_path(dir "${dir}")
  list(APPEND dll_dirs "${dir}")
endforeach()
list(REMOVE_DUPLICATES dll_dirs)
list(JOIN dll_dirs ";" wine_path)
find_path(VOXTARN_TEST_FONT_DIR ipam.ttf PATHS /usr/share/fonts/opentype/ipafont-mincho NO_CMAKE_FIND_ROOT_PATH)
windows_path(font_dir "${VOXTARN_TEST_FONT_DIR}")
windows_path(test_dic "${VOXTARN_MECAB_DIC}")
file(WRITE ${CMAKE_BINARY_DIR}/mecabrc "dicdir = ${test_dic}\n")
windows_path(test_mecabrc "${CMAKE_BINARY_DIR}/mecabrc")
file(WRITE ${CMAKE_BINARY_DIR}/wine-env.cmake
  "set(ENV{WINEPATH} [==[${wine_path}]==])\n"
  "set(ENV{VOXTARN_TEST_FONTDIR} [==[${font_dir}]==])\n"
  "set(ENV{MECABRC} [==[${test_mecabrc}]==])\n")
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/wine-env.cmake)

# The folder a player unpacks: both programs, the Qt DLLs and the plugins
# they load, the MinGW runtime, MeCab's DLL and its dictionary in dic/, the
# sample cards with their readings.txt, the Japanese first-read, LICENSE and
# the licences of MeCab and the IPA dictionary as Windows text; every
# program and DLL stripped. Beside it the
# marker that scripts/package-windows adds to the zip alone.
get_filename_component(compiler ${CMAKE_CXX_COMPILER} NAME)
string(REGEX REPLACE "g\\+\\+.*$" "strip" strip_name ${compiler})  # x86_64-w64-mingw32-strip
find_program(VOXTARN_MINGW_STRIP ${strip_name} REQUIRED)
set(folder ${CMAKE_BINARY_DIR}/voxtarn-${PROJECT_VERSION})
add_custom_target(windows_folder
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${folder}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}/platforms ${folder}/styles ${folder}/sample ${folder}/dic
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:voxtarn> $<TARGET_FILE:voxtarn-find>
          $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets> $<TARGET_FILE:Qt6::PrintSupport> ${mingw_runtime}
          ${mecab_dll} ${folder}
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${VOXTARN_MECAB_DIC} ${folder}/dic
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> ${folder}/platforms
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> ${folder}/styles
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/corp.txt ${PROJECT_SOURCE_DIR}/data/runner.txt ${PROJECT_SOURCE_DIR}/data/readings.txt
          ${folder}/sample
  COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -DSOURCE=${PROJECT_SOURCE_DIR} -DSTRIP=${VOXTARN_MINGW_STRIP}
          -DPORTABLE=${CMAKE_BINARY_DIR}/portable.txt
          -DMECAB_LICENSE=${mecab_root}/share/mecab/BSD -DIPADIC_LICENSE=${VOXTARN_IPADIC_COPYRIGHT} -P ${PROJECT_SOURCE_DIR}/cmake/FinishWindowsFolder.cmake
  DEPENDS voxtarn voxtarn-find
  COMMENT "Putting together voxtarn-${PROJECT_VERSION}/ for Windows"
  VERBATIM)
