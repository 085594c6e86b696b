#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window program's own options: --help and --version (short or long, help first) answered without a display; a
# second DIR or an unknown option refused with a hint, before any window opens.
#   start-options.sh <voxtarn program> <version>
set -uo pipefail
fail() { echo "FAIL: voxtarn $1: $2"; exit 1; }
check() {  # arguments, expected status, first line of standard output, first line of standard error
    local out err status
    out="$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM="${platform:-xcb}" "$program" $1 2> "$errfile")"
    status=$?
    err="$(head -1 "$errfile")"
    [ "$status" = "$2" ] && [ "$(head -1 <<< "$out")" = "$3" ] && [ "$err" = "$4" ] || fail "$1" "$status / $out / $err"
}
program="$1"
errfile="$(mktemp)"
XDG_RUNTIME_DIR="$(mktemp -d)"  # Qt's platform warns on standard error without one
export XDG_RUNTIME_DIR
trap 'rm -rf "$errfile" "$XDG_RUNTIME_DIR"' EXIT
usage="Usage: voxtarn [options] [DIR]"
check "--help" 0 "$usage" ""
check "-h" 0 "$usage" ""
check "--version -h" 0 "$usage" ""
check "-v" 0 "voxtarn $2" ""
check "data --version" 0 "voxtarn $2" ""
platform=offscreen check "one two" 2 "" "voxtarn: only one DIR can be given, not 2"
platform=offscreen check "--colour" 2 "" "voxtarn: Unknown option 'colour'."
echo PASS
