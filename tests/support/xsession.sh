# SPDX-License-Identifier: MIT
# Real-window tests: a program in an X server of its own, driven by key
# presses. Sourced after setting `limit` (seconds for any one wait); gives a
# private folder $tmp, app_pid for the program (output in $tmp/app.log) and
# `main` for its window; the caller defines shot NAME (a picture).
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
# The id of the window with this exact title, once it is up.
window() { timeout "$limit" xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1 || true; }
focus() { retry "focus did not reach window $1" focused "$1"; }
open_dialog() {  # KEY TITLE: press the key in the main window, wait for the dialog, focus it
  focus "$main"
  xdotool key "$1"
  local dialog
  dialog=$(window "$2")
  [ -n "$dialog" ] || fail "the dialog '$2' did not appear"
  focus "$dialog"
}
close_dialog() {  # KEY TITLE
  xdotool key "$1"
  retry "the dialog '$2' did not close" gone "$2"
}
# F5, what FILL does in the search dialog, OK; then Enter on the first hit
# and Esc in its details. Pictures search-dialog.png and detail-dialog.png.
search_and_show_details() {  # FILL
  open_dialog F5 "検索"
  "$1"
  shot search-dialog.png
  close_dialog Return "検索"
  open_dialog Return "カード"
  shot detail-dialog.png
  close_dialog Escape "カード"
}
ended() { ! kill -0 "$app_pid" 2> /dev/null; }
close_program() {  # Alt+F4; the program must end by itself, with status 0
  focus "$main"
  xdotool key alt+F4
  retry "the program did not end after Alt+F4" ended
  wait "$app_pid" || fail "the program ended with status $?: $(cat "$tmp/app.log")"
  app_pid=""
}
start_x_server() {
  # Xvfb picks a free display itself and writes its number once it accepts
  # clients: no guessing, no race with other servers.
  mkfifo "$tmp/displayfd"
  Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3> "$tmp/displayfd" 2> "$tmp/xvfb.log" &
  xvfb_pid=$!
  read -r -t "$limit" number < "$tmp/displayfd" || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
  export DISPLAY=":$number"
  unset WAYLAND_DISPLAY
  timeout "$limit" setxkbmap -layout us
}
