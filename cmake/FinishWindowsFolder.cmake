# SPDX-License-Identifier: MIT
# The last steps of the Windows folder (cmake/WindowsProgram.cmake), run as
#   cmake -DFOLDER=... -DSOURCE=<repository> -DSTRIP=<MinGW strip> -DPORTABLE=<marker>
#         -DMECAB_LICENSE=<MeCab's BSD> -DIPADIC_LICENSE=<the IPA dictionary's> -P FinishWindowsFolder.cmake
# The Japanese first-read, LICENSE and the licences of MeCab and of its IPA
# dictionary as .txt with CR LF, which every Windows editor shows; the Japanese texts with the UTF-8 mark, without which Notepad
# may take them for the ANSI code page. The portable zip's marker goes to
# PORTABLE, outside the folder the installer takes. The programs and DLLs
# without their symbols (a third of the size).
string(ASCII 239 187 191 utf8_mark)
function(windows_text from to mark)
  file(READ ${from} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${to} "${mark}${text}")
endfunction()
windows_text("${SOURCE}/packaging/windows/はじめにお読みください.txt" "${FOLDER}/はじめにお読みください.txt" "${utf8_mark}")
windows_text(${SOURCE}/packaging/windows/portable.txt ${PORTABLE} "${utf8_mark}")
windows_text(${SOURCE}/LICENSE ${FOLDER}/LICENSE.txt "")
windows_text(${MECAB_LICENSE} ${FOLDER}/dic/LICENSE-MeCab.txt "")
windows_text(${IPADIC_LICENSE} ${FOLDER}/dic/LICENSE-IPA-dictionary.txt "")
file(GLOB_RECURSE binaries ${FOLDER}/*.exe ${FOLDER}/*.dll)
execute_process(COMMAND ${STRIP} --strip-unneeded ${binaries} COMMAND_ERROR_IS_FATAL ANY)
