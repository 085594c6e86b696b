#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows installer in a Wine prefix of its own, as README.md says:
#   installer.sh <voxtarn-VERSION-setup.exe> <VERSION>
set -euo pipefail
setup="$(realpath "$1")"
version="$2"
tmp="$(mktemp -d)"
export WINEPREFIX="$tmp/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset WINEPATH   # only what the installer put there
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
trap '"$wineserver" -k 2> /dev/null || true; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Voxtarn'
settings_key='HKCU\Software\Kestrowe\Voxtarn card list finder'

"$wine" wineboot --init > /dev/null 2>&1
unix_path() { "$wine" winepath -u "$("$wine" cmd /c echo "$1" | tr -d '\r')" | tr -d '\r'; }
dir="$(unix_path '%LOCALAPPDATA%')/Programs/Voxtarn"
shortcut="$(unix_path '%APPDATA%')/Microsoft/Windows/Start Menu/Programs/Voxtarn card list finder.lnk"

# The settings of an earlier version, which uninstalling must leave.
"$wine" reg add "$settings_key\\search" /v key /d kept /f > /dev/null

"$wine" "$setup" /S
"$wineserver" -w
[ -f "$dir/voxtarn.exe" ] || fail "nothing installed in $dir"
echo "installed: $(find "$dir" -type f | wc -l) files, $(du -sh "$dir" | cut -f1)"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
"$wine" reg query "$uninstall_key" /s | tr -d '\r' > "$tmp/uninstall"
for value in "DisplayName.*Voxtarn card list finder" "DisplayVersion.*$version" "Publisher.*Kestrowe" \
  "DisplayIcon.*voxtarn.exe" "UninstallString.*uninstall.exe"; do
  grep -q "$value" "$tmp/uninstall" || fail "the Uninstall key lacks $value"
done

[ "$("$wine" "$dir/voxtarn.exe" --version | tr -d '\r')" = "voxtarn $version" ] || fail "voxtarn.exe --version"
cards="$(cd "$dir/sample" && "$wine" ../voxtarn-find.exe list all | wc -l)"
[ "$cards" -gt 50 ] || fail "voxtarn-find.exe listed $cards sample cards"
echo "voxtarn.exe --version and voxtarn-find.exe on the sample ($cards cards): fine"

"$wine" "$dir/uninstall.exe" /S
"$wineserver" -w
[ ! -e "$dir" ] || fail "left after uninstalling: $(find "$dir")"
[ ! -e "$shortcut" ] || fail "the shortcut is left"
! "$wine" reg query "$uninstall_key" > /dev/null 2>&1 || fail "the Uninstall key is left"
"$wine" reg query "$settings_key\\search" | grep -q kept || fail "the player's settings went"
echo "PASS"
