# SPDX-License-Identifier: MIT
# The last steps of the Windows folder (cmake/WindowsProgram.cmake), run as
#   cmake -DFOLDER=... -DSOURCE=<repository> -DSTRIP=<MinGW strip> -P FinishWindowsFolder.cmake
# README and LICENSE as .txt with CR LF, which every Windows editor shows;
# the programs and DLLs without their symbols (a third of the size).
foreach(name README.md LICENSE)
  file(READ ${SOURCE}/${name} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  get_filename_component(base ${name} NAME_WE)
  file(WRITE ${FOLDER}/${base}.txt "${text}")
endforeach()
file(GLOB_RECURSE binaries ${FOLDER}/*.exe ${FOLDER}/*.dll)
execute_process(COMMAND ${STRIP} --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)
