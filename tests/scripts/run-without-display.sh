#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# scripts/run without a display, on a build that is up to date, prints the
# sample cards and one line saying why: nothing of the build.
#   run-without-display.sh <build folder>
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
err="$(mktemp)"
trap 'rm -f "$err"' EXIT
out="$(env -u DISPLAY -u WAYLAND_DISPLAY BUILD_DIR="$1" "$root/scripts/run" 2> "$err")"
[ "$out" = "$("$1/cli/voxtarn-find" -C "$root/data" list all)" ] || { echo "FAIL: not only the cards:"; echo "$out" | head -5; exit 1; }
[ "$(wc -l < "$err")" -eq 1 ] && grep -q "no display" "$err" || { echo "FAIL: standard error:"; head -5 "$err"; exit 1; }
echo PASS
