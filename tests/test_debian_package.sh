#!/usr/bin/env bash
# The Debian package builds from the tree's files alone, lintian finds no error or warning in it,
# and it ships the program where Debian puts games, with everything the desktop needs.
# Usage: test_debian_package.sh <source dir>
set -euo pipefail
source=$1
id=io.github.krestiki_noliki.KrestikiNoliki

fail() { echo "FAIL: $*" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

bash "$source/scripts/package.sh" "$out" >"$out/build.log" 2>&1 || { tail -n 40 "$out/build.log" >&2; fail "package build"; }
debs=("$out"/krestiki-noliki_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package, got: ${debs[*]}"
deb=${debs[0]}

report=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $report"
if grep -E '^[EW]: ' <<<"$report"; then fail "lintian reports errors or warnings"; fi

# Lintian checks the modes and the menu entry's command; the list must hold what the desktop needs.
files=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
has() { grep -qx -- "./$1" <<<"$files" || fail "the package lacks $2 ($1)"; }
has usr/games/krestiki-noliki "the program"
has "usr/share/applications/$id.desktop" "the menu entry"
has "usr/share/metainfo/$id.metainfo.xml" "the AppStream metainfo"
has usr/share/man/man6/krestiki-noliki.6.gz "the manual page"
has usr/share/icons/hicolor/scalable/apps/krestiki-noliki.svg "the scalable icon"
for size in 16 24 32 48 256; do
  has "usr/share/icons/hicolor/${size}x${size}/apps/krestiki-noliki.png" "the ${size} px icon"
done
echo "PASS"
