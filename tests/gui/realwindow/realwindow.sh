#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The whole program in a real X server, driven by real key presses, as the
# comments below go: the folder chooser, searches, details, Ctrl+C, the filter,
# a deck saved and found again, and the settings file read from outside;
# pictures in the output folder.
#   realwindow.sh <voxtarn executable> <output folder>
# Exit 77 (skipped) when Xvfb or xclip is not installed.
set -euo pipefail

program="$(realpath "$1")"
out="$(realpath -m "$2")"
limit=20   # seconds for any one wait

for tool in Xvfb xclip; do command -v $tool > /dev/null || { echo "$tool is not installed: skipped"; exit 77; }; done
source "$(dirname "$0")/../../support/xsession.sh"
stored() { grep -qsx "$1" "$conf"; }

start_x_server

mkdir "$tmp/data" "$tmp/home"
card() { printf '%s\n%s\nA: gain [1].\n\nnote of %s\nIllus. Test\n%s\n--\n' "$1" "$2" "$1" "$3"; }  # name type rate
{ card "Glass Wall" "Ice" "Common"; card "Night Archive" "Asset" "Rare"; } > "$tmp/data/corp.txt"
{ card "Rope Ladder" "Hardware" "Common"; card "Ice Pick" "Program" "Vital"; card "Nice Try" "Event" "Rare"
  card "ミラー・ノット" "プログラム" "Rare"; } | iconv -f UTF-8 -t CP932 > "$tmp/data/runner.txt"
export XDG_CONFIG_HOME="$tmp/config" XDG_CONFIG_DIRS="$tmp/none" XDG_RUNTIME_DIR="$tmp" QT_QPA_PLATFORM=xcb
conf="$tmp/config/Kestrowe/Voxtarn card list finder.conf"
# A hiragana name stored by an earlier run: xdotool types non-ASCII text by
# changing the keyboard map for a moment, which a busy program may see late.
mkdir -p "$(dirname "$conf")"
printf '[search]\nkey=みらー\n' > "$conf"
start_program "$tmp/home" "$program"   # in the folder without data files

# Ctrl+O: the folder chooser, given the data folder; stored at once.
open_dialog ctrl+o "データフォルダを開く"
xdotool type --delay 20 "$tmp/data/"
shot folder-chooser.png
close_dialog Return "データフォルダを開く"
retry "the folder is not stored at once" stored "folder=$tmp/data"

# The stored hiragana name, kana folded: Tab to the side group at Corporate,
# Up wraps to Runner; Tab to the mode group at exact, Up wraps to partial, Up
# again gives prefix; Tab to the fold check box.
open_dialog F5 "検索"
xdotool key --delay 50 Tab Tab Tab Up Tab Up Up Tab space
shot search-folded.png
close_dialog Return "検索"
open_dialog Return "カード"   # the katakana card: without a hit no dialog would come
shot detail-folded.png
close_dialog Escape "カード"
# Ctrl+C: the line's five fields, tab-separated, as another program pastes them.
focus "$main"
xdotool key ctrl+c
line=$(printf 'Rare\tミラー・ノット\tプログラム\tnote of ミラー・ノット\tIllus. Test')
retry "Ctrl+C did not put the line on the clipboard" copied

# A typed name, not folded: Tab five times reaches the fold check box.
typed_name() {
  xdotool key ctrl+a
  xdotool type --delay 30 "ice"
  xdotool key --delay 50 Tab Tab Tab Tab Tab space
}
search_and_show_details typed_name
close_program
cat "$conf"
for line in key=ice type=1 mode=1 fold=0; do
  stored "$line" || fail "the settings file lacks $line"
done

# Started again, the folder opened last lists every card (カード → 全カードリスト
# by its mnemonics). Ctrl+F and two words narrow the list as they are typed;
# Enter takes the first line, whose Ctrl+C copy is the card's; Ctrl+F and Esc
# clear the filter again.
start_program "$tmp/home" "$program"   # in the folder without data files
focus "$main"
xdotool key --delay 100 alt+c a ctrl+f
xdotool type --delay 30 "i:test ladder"
shot filter.png
xdotool key Return ctrl+c
line=$(printf 'Common\tRope Ladder\tHardware\tnote of Rope Ladder\tIllus. Test')
retry "the filtered line was not copied" copied
xdotool key ctrl+f Escape
# Three cards into the deck by the list's keys (Insert, "+", the keypad's +),
# saved through the dialog by typing a path: the file holds the deck's bytes.
focus "$main"
xdotool key --delay 100 Home Insert Insert Down Down plus Down KP_Add
open_dialog ctrl+s "名前を付けて保存"
xdotool key ctrl+a
xdotool type --delay 20 "$tmp/rush.txt"
shot deck-save.png
close_dialog Return "名前を付けて保存"
saved_deck() { printf '[Corporate]\n2 Glass Wall\n[Runner]\n1 Rope Ladder\n1 Ice Pick\n' | cmp -s - "$tmp/rush.txt"; }
retry "the deck was not saved as typed" saved_deck
# The stored search finds cards of the folder opened last.
open_dialog F5 "検索"
close_dialog Return "検索"
open_dialog Return "カード"   # only a listed card has details
close_dialog Escape "カード"
close_program

# Started a third time, the deck saved is open again: デッキ → テキストとして
# コピー by its mnemonics puts the file's text on the clipboard.
start_program "$tmp/home" "$program"
focus "$main"
shot deck-again.png
xdotool key --delay 100 alt+d c
line=$(cat "$tmp/rush.txt")
retry "the deck did not come back at the next start" copied
close_program
echo "PASS"
