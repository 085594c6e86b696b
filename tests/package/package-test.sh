#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from build/, checks it with lintian, installs it
# here, runs the installed programs, validates the installed desktop entry and
# metainfo, and removes the package again whatever happens.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
apt=($sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -qq)
fail() { echo "FAIL: $*"; exit 1; }

"$root/scripts/setup" "$root/scripts/packages-package.txt"
deb="$("$root/scripts/package" | tail -n 1)"
echo "--- lintian $deb"
status=0; report="$(lintian --fail-on error,warning "$deb" 2>&1)" || status=$?
grep -v 'running with root privileges' <<< "$report" || true
[ $status -eq 0 ] || fail "lintian reports errors or warnings"

echo "--- install, run, validate"
! dpkg-query -W voxtarn > /dev/null 2>&1 || fail "voxtarn is installed already: remove it first"
trap '"${apt[@]}" purge voxtarn > /dev/null 2>&1; echo "--- removed"' EXIT
"${apt[@]}" install "$(realpath "$deb")" > /dev/null
cd "$root"
cards="$(/usr/bin/voxtarn-find -C /usr/share/doc/voxtarn/examples list all)" || fail "installed voxtarn-find: status $?"
[ "$cards" = "$(build/cli/voxtarn-find -C data list all)" ] || fail "the installed sample cards or voxtarn-find differ"
version="$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/voxtarn --version)" || fail "voxtarn --version: status $?"
[ "$version" = "voxtarn $(sed -n 's/^voxtarn (\(.*\)) .*/\1/p;q' packaging/changelog)" ] || fail "version: $version"
man -w voxtarn voxtarn-find > /dev/null || fail "the manual pages are not found"
page="$(LC_ALL=C.UTF-8 MANWIDTH=80 man voxtarn 2> /dev/null)" || fail "man voxtarn: status $?"
for item in ファイル データフォルダを開く データフォルダが見つからない; do
  grep -qF "$item" <<< "$page" || fail "man voxtarn does not show $item"
done
app=org.kestrowe.voxtarn
report="$(desktop-file-validate "/usr/share/applications/$app.desktop" 2>&1)" && [ -z "$report" ] \
  || fail "desktop-file-validate: $report"
report="$(appstreamcli validate --no-net --pedantic --no-color "/usr/share/metainfo/$app.metainfo.xml" 2>&1)" \
  && [ "$report" = "✔ Validation was successful." ] || fail "appstreamcli: $report"
echo "$(wc -l <<< "$cards") cards listed, $version, desktop entry and metainfo valid: PASS"
