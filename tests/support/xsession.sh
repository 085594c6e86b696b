# SPDX-License-Identifier: MIT
# Real-window tests: a program in an X server of its own, driven by key
# presses. Sourced after setting `limit` (seconds for any one wait) and `out`
# (the folder of the pictures); gives a private folder $tmp, app_pid for the
# program (output in $tmp/app.log) and `main` for its window.
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
# A picture of the screen, NAME in $out. Wine paints its menus and dialogs
# into windows of their own, which the root window shows black: each window
# is laid over it where it stands, bottom to top. Windows not shown, input-only
# ones and those partly off the screen give no picture: left out.
shot() {
  mkdir -p "$out"
  xwd -root -silent | convert xwd:- "$tmp/shot.png"
  xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .* +\(-*[0-9]*\)+\(-*[0-9]*\)$/\1 \2 \3/p' | tac |
    while read -r id x y; do
      xwd -id "$id" -silent > "$tmp/window.xwd" 2> /dev/null || continue
      convert "$tmp/shot.png" "$tmp/window.xwd" -geometry "+$x+$y" -composite "$tmp/shot.png"
    done
  mv "$tmp/shot.png" "$out/$1" && echo "picture: $out/$1"
}
start_program() {  # DIR COMMAND...: started in DIR, as a menu would; waits for its window
  (cd "$1" && shift && exec "$@") > "$tmp/app.log" 2>&1 &
  app_pid=$!
  main=$(window "Voxtarn card list finder")
  [ -n "$main" ] || fail "the main window did not appear: $(cat "$tmp/app.log")"
}
copied() { [ "$(timeout 5 xclip -selection clipboard -o 2> /dev/null)" = "$line" ]; }  # $line on the clipboard
focused() { timeout 5 xdotool windowfocus --sync "$1" || true; [ "$(timeout 5 xdotool getwindowfocus)" = "$1" ]; }
gone() { ! timeout 5 xdotool search --onlyvisible --name "^$1\$" > /dev/null; }
# The id of the window with this exact title, once it is up; looked for again when one goes meanwhile (Wine's, at start).
window() { local id; for _ in 1 2 3; do id=$(timeout "$limit" xdotool search --sync --onlyvisible --name "^$1\$" 2> /dev/null | head -n 1) && [ -n "$id" ] && break; done; echo "$id"; }
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
