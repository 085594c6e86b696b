; SPDX-License-Identifier: MIT
; The Windows installer, made by scripts/package-windows:
;   makensis -DVERSION=<version> -DICON=<.ico> -DFILES=<file lists> -DOUTFILE=<setup.exe> voxtarn.nsi
; For the current user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Voxtarn. /S installs and uninstalls silently.
; Uninstalling removes what was installed and nothing else: the player's
; settings and card files stay.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define NAME "Voxtarn card list finder"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Voxtarn"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Voxtarn"
Icon "${ICON}"
UninstallIcon "${ICON}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetOutPath "$INSTDIR"
  !include "${FILES}.install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The shortcut starts the program in Documents: the data folder the player
  ; opens is remembered, and without one the program looks there.
  SetOutPath "$DOCUMENTS"
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\voxtarn.exe" "" "$INSTDIR\voxtarn.exe" 0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Kestrowe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\voxtarn.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  !include "${FILES}.uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
