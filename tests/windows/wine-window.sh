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
# Wine paints its menus and dialogs into windows of their own, which a
# picture of the root window shows black: each window is laid over the root
# picture where it stands, bottom to top.
shot() {
  mkdir -p "$out"
  xwd -root -silent | convert xwd:- "$tmp/shot.png"
  local id x y
  for id in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | tac); do
    xwininfo -id "$id" > "$tmp/info"
    grep -q 'Map State: IsViewable' "$tmp/info" && grep -q 'Class: InputOutput' "$tmp/info" || continue
    x=$(sed -n 's/.*Absolute upper-left X: *//p' "$tmp/info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' "$tmp/info")
    # A window that lies partly off the screen has no whole picture: left out.
    xwd -id "$id" -silent > "$tmp/window.xwd" 2> /dev/null || continue
    convert "$tmp/shot.png" "$tmp/window.xwd" -geometry "+$x+$y" -composite "$tmp/shot.png"
  done
  mv "$tmp/shot.png" "$out/$1"
  echo "picture: $out/$1"
}

start_x_server
# Wine's desktop process keeps the display it was started with: a server of
# this prefix started without one (the tests on the offscreen platform) ends first.
/usr/lib/wine/wineserver -k 2> /dev/null || true
/usr/lib/wine/wineserver -w
mkdir "$tmp/cards"
cp "$data/corp.txt" "$data/runner.txt" "$tmp/cards/"
"$wine" reg delete "$key" /f > /dev/null 2>&1 || true
# A kanji name stored by an earlier run (xdotool cannot type it into Wine).
"$wine" reg add "$key\\search" /v key /t REG_SZ /d 鍵 /f > /dev/null
(cd "$tmp/cards" && exec "$wine" "$program") > "$tmp/app.log" 2>&1 &
app_pid=$!
main=$(window "Voxtarn card list finder")
[ -n "$main" ] || fail "the main window did not appear: $(cat "$tmp/app.log")"
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
line="$(cd "$tmp/cards" && "$finder" list all | head -n 1)"
copied() { [ "$(timeout 5 xclip -selection clipboard -o 2> /dev/null)" = "$line" ]; }
retry "Ctrl+C did not give the first line: $line" copied

# F5: the stored name, rarity Rare, the Runner side, partial; OK. Enter: the
# first hit's details (without a hit no dialog would come).
rare_runners() {
  xdotool key --delay 100 Tab Tab
  xdotool type --delay 50 Rare
  xdotool key --delay 100 Tab Down Tab Up
}
search_and_show_details rare_runners

close_program

# What the program left in the registry: a number as reg prints it (0x1 for
# a DWORD, 1 for a string), as a number.
stored() {  # GROUP NAME
  local value
  value=$("$wine" reg query "$key\\$1" /v "$2" 2> /dev/null | tr -d '\r' | awk -v name="$2" '$1 == name { print $NF }')
  [ -n "$value" ] || fail "the registry lacks $1/$2"
  echo $((value))
}
"$wine" reg query "$key" /s | tr -d '\r'
[ "$(stored rect right)" -gt "$(stored rect left)" ] && [ "$(stored rect bottom)" -gt "$(stored rect top)" ] ||
  fail "no window rectangle in the registry"
# reg query prints text in the console's code page; an export is UTF-16.
"$wine" reg export "$key\\search" 'Z:'"$tmp/search.reg" /y > /dev/null
[ "$(stored search type)" = 1 ] && [ "$(stored search mode)" = 2 ] &&
  iconv -f UTF-16 -t UTF-8 "$tmp/search.reg" | tr -d '\r' | grep -qx '"key"="鍵"' ||
  fail "the search in the registry is not the last one"
echo "PASS"
