# SPDX-License-Identifier: MIT
# Cross-builds 64-bit Windows programs with Debian's MinGW-w64 (package
# g++-mingw-w64-x86-64-posix). The engine alone:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake -DVOXTARN_ENGINE_ONLY=ON
# The whole program goes through the toolchain file of Qt's cross build,
# which loads this one (scripts/build-windows).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The engine alone links the MinGW runtime statically, libstdc++, libgcc and
# winpthread included: its .exe needs no DLL beside it. The whole program
# loads the runtime DLLs that Qt's DLLs load, so a process holds one C++
# runtime, not a static copy beside the DLLs'.
if(VOXTARN_ENGINE_ONLY)
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
endif()

# Tests run under Wine when it is there (Debian's wine64 package).
find_program(VOXTARN_WINE64 wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(VOXTARN_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VOXTARN_WINE64})
endif()
