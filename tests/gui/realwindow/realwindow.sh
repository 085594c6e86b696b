#!/usr/bin/env bash
# The whole program in a real X server, driven by real key presses:
#   realwindow.sh <voxtarn executable> <output folder>
# Starts its own Xvfb and the program in a folder without data files, opens
# the data folder with Ctrl+O, searches the Runner cards for a typed name in
# partial mode, opens the details of the first hit, searches again for a
# hiragana name with kana folded and opens the katakana card it finds, closes
# everything with the keyboard and checks from outside that the settings file
# holds the folder, the typed name, the side, the mode and the folding.
# Started again in the same folder, the stored search finds the cards of the
# folder opened last. Screenshots of the chooser and the search and detail
# dialogs land in the output folder.
# Exit 77 (skipped) when Xvfb is not installed.
set -euo pipefail

program="$(realpath "$1")"
out="$(realpath -m "$2")"
limit=20   # seconds for any one wait

command -v Xvfb > /dev/null || { echo "Xvfb is not installed: skipped"; exit 77; }
for tool in xdotool setxkbmap import; do
  command -v "$tool" > /dev/null || { echo "missing $tool (scripts/setup installs it)"; exit 1; }
done

tmp="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2> /dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
  wait 2> /dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

step() { echo "--- $*"; }
fail() { echo "FAIL: $*"; exit 1; }

# Xvfb picks a free display itself and writes its number once it accepts
# clients: no guessing, no race with other servers.
mkfifo "$tmp/displayfd"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3> "$tmp/displayfd" 2> "$tmp/xvfb.log" &
xvfb_pid=$!
read -r -t "$limit" number < "$tmp/displayfd" || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
step "Xvfb on $DISPLAY"
timeout "$limit" setxkbmap -layout us

# Wait for a window by its exact title; prints its id.
wait_window() {
  timeout "$limit" xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 || true
}

# Give the keyboard focus to a window and wait until the server reports it.
focus() {
  local window=$1 deadline=$((SECONDS + limit))
  timeout 5 xdotool windowfocus --sync "$window" || true
  until [ "$(timeout 5 xdotool getwindowfocus)" = "$window" ]; do
    [ $SECONDS -lt $deadline ] || fail "focus did not reach window $window"
    timeout 5 xdotool windowfocus --sync "$window" || true
  done
}

# Wait until no visible window has this title.
wait_gone() {
  local deadline=$((SECONDS + limit))
  while timeout 5 xdotool search --onlyvisible --name "^$1\$" > /dev/null; do
    [ $SECONDS -lt $deadline ] || fail "window '$1' did not close"
    xdotool sleep 0.05
  done
}

# Press a key in the focused window, wait for the dialog it opens and give
# that dialog the focus.
open_dialog() {  # key title
  xdotool key "$1"
  local dialog
  dialog=$(wait_window "$2")
  [ -n "$dialog" ] || fail "the dialog '$2' did not appear"
  focus "$dialog"
}

shot() {
  mkdir -p "$out"
  timeout "$limit" import -window root "$out/$1"
  echo "screenshot: $out/$1"
}

# Data files of our own, in Shift-JIS; settings in the temp folder.
mkdir -p "$tmp/data" "$tmp/config" "$tmp/empty" "$tmp/runtime" "$tmp/home"
chmod 700 "$tmp/runtime"
card() {  # name type rate
  printf '%s\n%s\nA: gain [1].\n\nnote of %s\nIllus. Test\n%s\n--\n' "$1" "$2" "$1" "$3"
}
{ card "Glass Wall" "Ice" "Common"; card "Night Archive" "Asset" "Rare"; } > "$tmp/data/corp.txt"
{ card "Rope Ladder" "Hardware" "Common"; card "Ice Pick" "Program" "Vital"; card "Nice Try" "Event" "Rare"
  card "ミラー・ノット" "プログラム" "Rare"; } | iconv -f UTF-8 -t CP932 > "$tmp/data/runner.txt"

export XDG_CONFIG_HOME="$tmp/config" XDG_CONFIG_DIRS="$tmp/empty" XDG_RUNTIME_DIR="$tmp/runtime"
export QT_QPA_PLATFORM=xcb
conf="$tmp/config/Kestrowe/Voxtarn card list finder.conf"

# Starts the program in the folder without data files, as a menu would.
start_program() {
  (cd "$tmp/home" && exec "$program") > "$tmp/app.log" 2>&1 &
  app_pid=$!
  main=$(wait_window "Voxtarn card list finder")
  [ -n "$main" ] || fail "the main window did not appear: $(cat "$tmp/app.log")"
  focus "$main"
}

# Alt+F4; the program must end by itself, with status 0.
close_program() {
  focus "$main"
  xdotool key alt+F4
  local deadline=$((SECONDS + limit))
  while kill -0 "$app_pid" 2> /dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the program did not end after Alt+F4"
    xdotool sleep 0.05
  done
  wait "$app_pid" || fail "the program ended with status $?"
  app_pid=""
}

step "main window"
start_program

step "Ctrl+O: the folder chooser, given the data folder"
open_dialog ctrl+o "データフォルダを開く"
xdotool type --delay 20 "$tmp/data/"
shot folder-chooser.png
xdotool key Return
wait_gone "データフォルダを開く"
deadline=$((SECONDS + limit))   # written once the chooser has returned
until grep -qsx "folder=$tmp/data" "$conf"; do
  [ $SECONDS -lt $deadline ] || fail "the folder is not stored at once: $(cat "$conf")"
  xdotool sleep 0.05
done

focus "$main"
step "F5: search dialog"
open_dialog F5 "検索"
xdotool type --delay 30 "ice"
# Tab: type, rarity, the side group; Down: Runner; Tab: the mode group;
# Down twice: partial.
xdotool key --delay 50 Tab Tab Tab Down Tab Down Down
shot search-dialog.png
xdotool key Return
wait_gone "検索"

step "Enter on the list: detail dialog"
focus "$main"
open_dialog Return "カード"
shot detail-dialog.png
xdotool key Escape
wait_gone "カード"

step "F5: a hiragana name, kana folded"
focus "$main"
open_dialog F5 "検索"
# The name field holds the last name; Tab five times: the fold check box.
xdotool key ctrl+a
xdotool type --delay 30 "みらー"
xdotool key --delay 50 Tab Tab Tab Tab Tab space
shot search-folded.png
xdotool key Return
wait_gone "検索"

step "Enter on the list: the katakana card (no hit would bring a message instead)"
focus "$main"
open_dialog Return "カード"
shot detail-folded.png
xdotool key Escape
wait_gone "カード"

step "Alt+F4"
close_program

step "settings"
[ -f "$conf" ] || fail "no settings file at $conf"
cat "$conf"
grep -qx 'key=みらー' "$conf" || fail "the typed name is not stored"
grep -qx 'type=1' "$conf" || fail "the Runner side is not stored"
grep -qx 'mode=2' "$conf" || fail "the partial mode is not stored"
grep -qx 'fold=1' "$conf" || fail "the folding is not stored"

step "started again: the stored search finds cards of the folder opened last"
start_program
open_dialog F5 "検索"
xdotool key Return
wait_gone "検索"
focus "$main"
open_dialog Return "カード"   # only a listed card has details
xdotool key Escape
wait_gone "カード"
close_program
echo "PASS"
