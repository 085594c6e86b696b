#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows installer and the portable zip beside it, in a Wine prefix of
# their own and an X server of their own, as README.md says:
#   installer.sh <voxtarn-VERSION-setup.exe> <VERSION> <Linux voxtarn-find>
set -euo pipefail
setup="$(realpath "$1")"
version="$2"
finder="$(realpath "$3")"
zip="${setup%-setup.exe}-windows-x64.zip"
limit=60   # seconds for any one wait: Wine starts slowly
source "$(dirname "$0")/../support/xsession.sh"
export WINEPREFIX="$tmp/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
unset WINEPATH   # only what the installer put there
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
trap '"$wineserver" -k 2> /dev/null || true; kill $app_pid $xvfb_pid 2> /dev/null; wait 2> /dev/null; rm -rf "$tmp"' EXIT
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Voxtarn'
settings_key='HKCU\Software\Kestrowe\Voxtarn card list finder'

start_x_server   # before Wine's first process, which keeps the display
"$wine" wineboot --init > /dev/null 2>&1
unix_path() { "$wine" winepath -u "$("$wine" cmd /c echo "$1" | tr -d '\r')" | tr -d '\r'; }
dir="$(unix_path '%LOCALAPPDATA%')/Programs/Voxtarn"
shortcut="$(unix_path '%APPDATA%')/Microsoft/Windows/Start Menu/Programs/Voxtarn card list finder.lnk"
settings() { "$wine" reg export "$settings_key" 'Z:'"$tmp/$1.reg" /y > /dev/null; iconv -f UTF-16 -t UTF-8 "$tmp/$1.reg" | tr -d '\r'; }

# VOXTARN.EXE started with no card file nor folder of its own lists the sample
# beside it (Ctrl+C: voxtarn-find.exe's first line there); Alt+F4.
lists_its_sample() {
  mkdir -p "$tmp/home"
  start_program "$tmp/home" "$wine" "$1"
  line="$(cd "$(dirname "$1")/sample" && "$wine" ../voxtarn-find.exe list all | sed -n 1p)"
  focus "$main"
  first_line_copied() { xdotool key ctrl+Home ctrl+c && copied; }
  retry "$1 did not list the sample cards: $line" first_line_copied
  close_program
}

# The settings of an earlier version, which uninstalling must leave; its folder has gone.
"$wine" reg add "$settings_key\\search" /v key /d kept /f > /dev/null
"$wine" reg add "$settings_key\\data" /v folder /d 'C:\gone' /f > /dev/null

# The zip: the Japanese first-read (UTF-8 with its mark, CR LF), the portable
# marker; its settings in voxtarn.ini beside it, the registry neither read nor written.
mkdir "$tmp/zip"
(cd "$tmp/zip" && cmake -E tar xf "$zip")
portable="$tmp/zip/voxtarn-$version"
readme="$portable/はじめにお読みください.txt"
[ -f "$portable/portable.txt" ] && [ -f "$readme" ] && [ ! -e "$portable/README.txt" ] || fail "the zip's files: $(ls "$portable")"
[ "$(head -c 3 "$readme" | od -An -tx1 | tr -d ' \n')" = efbbbf ] || fail "the first-read lacks the UTF-8 mark"
[ "$(grep -c $'\r$' "$readme")" = "$(wc -l < "$readme")" ] || fail "the first-read's lines do not end in CR LF"
settings before > /dev/null
lists_its_sample "$portable/voxtarn.exe"
[ "$(settings after)" = "$(settings before)" ] || fail "the portable program changed the registry"
cat "$portable/voxtarn.ini"
grep -q '^\[rect\]' "$portable/voxtarn.ini" || fail "no window rectangle in voxtarn.ini"
! grep -q 'kept\|gone' "$portable/voxtarn.ini" || fail "the portable program read the registry"
echo "the portable zip: its sample listed, its settings in voxtarn.ini, the registry untouched"

"$wine" "$setup" /S
"$wineserver" -w
[ -f "$dir/voxtarn.exe" ] || fail "nothing installed in $dir"
echo "installed: $(find "$dir" -type f | wc -l) files, $(du -sh "$dir" | cut -f1)"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
[ ! -e "$dir/portable.txt" ] || fail "the installed program is portable"
"$wine" reg query "$uninstall_key" /s | tr -d '\r' > "$tmp/uninstall"
for value in "DisplayName.*Voxtarn card list finder" "DisplayVersion.*$version" "Publisher.*Kestrowe" \
  "DisplayIcon.*voxtarn.exe" "UninstallString.*uninstall.exe"; do
  grep -q "$value" "$tmp/uninstall" || fail "the Uninstall key lacks $value"
done

[ "$("$wine" "$dir/voxtarn.exe" --version | tr -d '\r')" = "voxtarn $version" ] || fail "voxtarn.exe --version"
cards="$(cd "$dir/sample" && "$wine" ../voxtarn-find.exe list all | wc -l)"
[ "$cards" -gt 50 ] || fail "voxtarn-find.exe listed $cards sample cards"
echo "voxtarn.exe --version and voxtarn-find.exe on the sample ($cards cards): fine"
# Readings from the installed dictionary and the sample's readings.txt: the
# sample in 五十音順 as on Linux, a kanji name found by its kana and read as
# the correction says.
[ -f "$dir/dic/sys.dic" ] && [ -f "$dir/dic/LICENSE-IPA-dictionary.txt" ] && [ -f "$dir/dic/LICENSE-MeCab.txt" ] ||
  fail "the dictionary or its licences are not installed: $(ls "$dir/dic")"
by_reading() { (cd "$dir/sample" && "$@" list all --sort name --show-reading 2>&1 | tr -d '\r'); }
[ "$(by_reading "$wine" ../voxtarn-find.exe)" = "$(by_reading "$finder")" ] ||
  fail "the installed finder sorts by reading unlike Linux"
found="$(cd "$dir/sample" && "$wine" ../voxtarn-find.exe filter --show-reading こくようのじょう 2>&1 | tr -d '\r')"
[ "$(cut -f 2,6 <<< "$found")" = "$(printf '黒曜の城門\tコクヨウノジョウモン')" ] || fail "finding by reading gave: $found"
echo "voxtarn-find.exe finds 黒曜の城門 by its reading: fine"
# The installed program: its sample, its settings in the registry, the sample's folder not stored.
lists_its_sample "$dir/voxtarn.exe"
settings installed | grep -q '^\[.*\\rect\]$' || fail "no window rectangle in the registry"
! settings installed | grep -qi 'sample' || fail "the sample folder was stored"
[ ! -e "$dir/voxtarn.ini" ] || fail "the installed program wrote voxtarn.ini"

"$wine" "$dir/uninstall.exe" /S
"$wineserver" -w
[ ! -e "$dir" ] || fail "left after uninstalling: $(find "$dir")"
[ ! -e "$shortcut" ] || fail "the shortcut is left"
! "$wine" reg query "$uninstall_key" > /dev/null 2>&1 || fail "the Uninstall key is left"
"$wine" reg query "$settings_key\\search" | grep -q kept || fail "the player's settings went"
echo "PASS"
