#!/usr/bin/env bash
# Builds the Debian package from build/, checks it with lintian, installs it
# on this machine, runs the installed programs, validates the installed
# desktop entry and metainfo, and removes the package again whatever happens.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
apt=($sudo apt-get -o DPkg::Lock::Timeout=900 -y -qq)
fail() { echo "FAIL: $*"; exit 1; }

"$root/scripts/setup" lintian desktop-file-utils appstream man-db
deb="$("$root/scripts/package" | tail -n 1)"
echo "--- lintian $deb"
status=0; report="$(lintian --fail-on error,warning "$deb" 2>&1)" || status=$?
grep -v 'running with root privileges' <<< "$report" || true
[ $status -eq 0 ] || fail "lintian reports errors or warnings"

echo "--- install"
dpkg-query -W voxtarn > /dev/null 2>&1 && fail "voxtarn is already installed: remove it first"
trap 'echo "--- remove"; DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge voxtarn > /dev/null 2>&1' EXIT
DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$(realpath "$deb")" > /dev/null

echo "--- the installed programs"
cd "$root"
[ "$(command -v voxtarn-find)" = /usr/bin/voxtarn-find ] || fail "voxtarn-find is not on the PATH from /usr/bin"
/usr/bin/voxtarn-find -C data list all > /tmp/voxtarn-installed.$$ || fail "voxtarn-find list all: status $?"
build/cli/voxtarn-find -C data list all | cmp -s - /tmp/voxtarn-installed.$$ \
  || fail "the installed voxtarn-find lists other cards than the built one"
echo "voxtarn-find -C data list all: $(wc -l < /tmp/voxtarn-installed.$$) cards"
rm -f /tmp/voxtarn-installed.$$
version="$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/voxtarn --version)"
echo "voxtarn --version: $version"
[[ $version =~ ^voxtarn\ [0-9]+\.[0-9]+$ ]] || fail "unexpected version line"
man -w voxtarn voxtarn-find > /dev/null || fail "the manual pages are not found"

echo "--- validators"
app=org.kestrowe.voxtarn
report="$(desktop-file-validate "/usr/share/applications/$app.desktop" 2>&1)" || fail "desktop entry: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
report="$(appstreamcli validate --no-net --pedantic --no-color "/usr/share/metainfo/$app.metainfo.xml" 2>&1)" \
  || fail "metainfo: $report"
[ "$report" = "✔ Validation was successful." ] || fail "appstreamcli: $report"
echo "PASS"
