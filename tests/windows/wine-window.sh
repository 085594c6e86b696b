#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# voxtarn.exe under Wine in its own Xvfb, WINEPREFIX and WINEPATH set:
#   wine-window.sh <voxtarn.exe> <Linux voxtarn-find> <data folder> <output folder>
# What it does and checks is said in README.md (scripts/test-windows).
set -euo pipefail

program="$(realpath "$1")"
finder="$(realpath "$2")"
data="$(realpath "$3")"
out="$(realpath -m "$4")"
limit=60   # seconds for any one wait: Wine starts slowly
wine=/usr/lib/wine/wine64
key='HKCU\Software\Kestrowe\Voxtarn card list finder'

source "$(dirname "$0")/../support/xsession.sh"

start_x_server
# Wine's desktop process keeps the display it was started with: a server of
# this prefix started without one (the tests on the offscreen platform) ends first.
/usr/lib/wine/wineserver -k 2> /dev/null || true
/usr/lib/wine/wineserver -w
mkdir "$tmp/cards" && cp "$data/corp.txt" "$data/runner.txt" "$data/readings.txt" "$tmp/cards/"
"$wine" reg delete "$key" /f > /dev/null 2>&1 || true
# A kanji name stored by an earlier run (xdotool cannot type it into Wine).
"$wine" reg add "$key\\search" /v key /t REG_SZ /d 鍵 /f > /dev/null
start_program "$tmp/cards" "$wine" "$program"
shot main-window.png

# 全カードリスト from the card menu (Alt+C, A), then Ctrl+C on the first line.
focus "$main"
xdotool key alt+c
menu_open() { [ "$(xdotool search --onlyvisible --name '' 2> /dev/null | wc -l)" -gt 1 ]; }
retry "the card menu did not open" menu_open
shot card-menu.png
xdotool key a
focus "$main"
xdotool key ctrl+Home ctrl+c
line="$(cd "$tmp/cards" && "$finder" list all | sed -n 1p)"
retry "Ctrl+C did not give the first line: $line" copied

# A click on カード名 in the header (the window's top left corner plus where
# the header puts it): the names in 五十音順 by the readings of the packed
# dictionary, the first line the Linux finder's first by reading.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 100)) $((Y + 60)) click 1
line="$(cd "$tmp/cards" && "$finder" list all --sort name | sed -n 1p)"
first_line_copied() { focus "$main"; xdotool key ctrl+Home ctrl+c && copied; }
retry "the name column sorted by reading did not begin with: $line" first_line_copied
shot sorted-by-reading.png

# F5: the stored name, rarity Rare, the Runner side, partial; OK. Enter: the
# first hit's details (without a hit no dialog would come).
rare_runners() {
  xdotool key --delay 100 Tab Tab
  xdotool type --delay 50 Rare
  xdotool key --delay 100 Tab Down Tab Up
}
search_and_show_details rare_runners

close_program

# What the program left in the registry, exported (reg query would print
# text in the console's code page): DWORD value GROUP NAME as a number.
"$wine" reg export "$key" 'Z:'"$tmp/settings.reg" /y > /dev/null
settings=$(iconv -f UTF-16 -t UTF-8 "$tmp/settings.reg" | tr -d '\r')
echo "$settings"
value() { echo $((16#$(echo "$settings" | sed -n "/\\\\$1]\$/,/^\$/s/^\"$2\"=dword://p"))); }
[ "$(value rect right)" -gt "$(value rect left)" ] && [ "$(value rect bottom)" -gt "$(value rect top)" ] ||
  fail "no window rectangle in the registry"
[ "$(value search type)" = 1 ] && [ "$(value search mode)" = 2 ] && grep -qx '"key"="鍵"' <<< "$settings" ||
  fail "the search in the registry is not the last one"
echo "PASS"
