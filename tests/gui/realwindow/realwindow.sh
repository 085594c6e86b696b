#!/usr/bin/env bash
# The whole program in a real X server, driven by real key presses:
#   realwindow.sh <voxtarn executable> <output folder>
# Starts its own Xvfb, searches the Runner cards for a typed name in prefix
# mode (the arrow keys wrap round both radio groups), opens the details of
# the first hit, closes everything with the keyboard and checks from outside
# that the settings file holds the typed name, the side and the mode.
# Screenshots of the search and detail dialogs land in the output folder.
# Exit 77 (skipped) when Xvfb is not installed.
set -euo pipefail

program="$(realpath "$1")"
out="$(realpath -m "$2")"
limit=20   # seconds for any one wait

command -v Xvfb > /dev/null || { echo "Xvfb is not installed: skipped"; exit 77; }

tmp="$(mktemp -d)"
xvfb_pid=""
app_pid=""
trap 'kill $app_pid $xvfb_pid 2> /dev/null; wait 2> /dev/null; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Runs a check until it holds, for at most $limit seconds: retry WHAT CHECK...
retry() {
  local what=$1 deadline=$((SECONDS + limit))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || fail "$what"
    sleep 0.05
  done
}
focused() { timeout 5 xdotool windowfocus --sync "$1" || true; [ "$(timeout 5 xdotool getwindowfocus)" = "$1" ]; }
gone() { ! timeout 5 xdotool search --onlyvisible --name "^$1\$" > /dev/null; }
ended() { ! kill -0 "$app_pid" 2> /dev/null; }
# The id of the window with this exact title, once it is up.
window() { timeout "$limit" xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 || true; }
focus() { retry "focus did not reach window $1" focused "$1"; }
open_dialog() {  # KEY TITLE: press the key, wait for the dialog, focus it
  xdotool key "$1"
  local dialog
  dialog=$(window "$2")
  [ -n "$dialog" ] || fail "the dialog '$2' did not appear"
  focus "$dialog"
}
shot() { mkdir -p "$out" && timeout "$limit" import -window root "$out/$1" && echo "screenshot: $out/$1"; }

# Xvfb picks a free display itself and writes its number once it accepts
# clients: no guessing, no race with other servers.
mkfifo "$tmp/displayfd"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3> "$tmp/displayfd" 2> "$tmp/xvfb.log" &
xvfb_pid=$!
read -r -t "$limit" number < "$tmp/displayfd" || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
timeout "$limit" setxkbmap -layout us

mkdir "$tmp/data"
card() {  # name type rate
  printf '%s\n%s\nA: gain [1].\n\nnote of %s\nIllus. Test\n%s\n--\n' "$1" "$2" "$1" "$3"
}
{ card "Glass Wall" "Ice" "Common"; card "Night Archive" "Asset" "Rare"; } > "$tmp/data/corp.txt"
{ card "Rope Ladder" "Hardware" "Common"; card "Ice Pick" "Program" "Vital"; card "Nice Try" "Event" "Rare"; } > "$tmp/data/runner.txt"
export XDG_CONFIG_HOME="$tmp/config" XDG_CONFIG_DIRS="$tmp/none" XDG_RUNTIME_DIR="$tmp" QT_QPA_PLATFORM=xcb
(cd "$tmp/data" && exec "$program") > "$tmp/app.log" 2>&1 &
app_pid=$!

main=$(window "Voxtarn card list finder")
[ -n "$main" ] || fail "the main window did not appear: $(cat "$tmp/app.log")"
focus "$main"

open_dialog F5 "検索"
xdotool type --delay 30 "ice"
# Tab: type, rarity, the side group at Corporate; Up wraps to Runner; Tab:
# the mode group at exact; Up wraps to partial, Up again gives prefix.
xdotool key --delay 50 Tab Tab Tab Up Tab Up Up
shot search-dialog.png
xdotool key Return
retry "the search dialog did not close" gone "検索"

focus "$main"
open_dialog Return "カード"
shot detail-dialog.png
xdotool key Escape
retry "the detail dialog did not close" gone "カード"

focus "$main"
xdotool key alt+F4
retry "the program did not end after Alt+F4" ended
wait "$app_pid" || fail "the program ended with status $?: $(cat "$tmp/app.log")"
app_pid=""
conf="$tmp/config/Kestrowe/Voxtarn card list finder.conf"
cat "$conf" || fail "no settings file at $conf"
for line in key=ice type=1 mode=1; do
  grep -qx "$line" "$conf" || fail "the settings file lacks $line"
done
echo "PASS"
