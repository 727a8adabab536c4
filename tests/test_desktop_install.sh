#!/usr/bin/env bash
# An installed tree holds a valid menu entry, valid metainfo, the icon at every size, and a program that starts.
# Usage: test_desktop_install.sh <build dir> <source dir>
set -euo pipefail
build=$1
source=$2
id=io.github.krestiki_noliki.KrestikiNoliki
NAME=install
source "$(dirname "$0")/desktop_session.sh"

for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || fail "$tool is missing (install desktop-file-utils and appstream)"
done

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share

desktop=$share/applications/$id.desktop
metainfo=$share/metainfo/$id.metainfo.xml
[ -f "$desktop" ] || fail "no $desktop"
[ -f "$metainfo" ] || fail "no $metainfo"

# Hints and warnings count too: the entry should be clean.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
appstreamcli validate --no-net "$metainfo" >/dev/null 2>&1 || { appstreamcli validate --no-net "$metainfo" >&2; fail "appstreamcli validate"; }

# The entry, the metainfo and the installed files name each other.
entry() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
[ -x "$prefix/bin/$(entry Exec)" ] || fail "Exec=$(entry Exec) is not an installed program"
icon=$(entry Icon)
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo does not launch $id.desktop"
grep -q "<binary>$(entry Exec)</binary>" "$metainfo" || fail "metainfo does not provide $(entry Exec)"
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"

# PNG width and height are big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
for size in 16 24 32 48 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ -f "$png" ] || fail "no $png"
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$png is not a PNG"
  [ "$(png_size "$png")" = "${size}x${size}" ] || fail "$png is $(png_size "$png"), not ${size}x${size}"
  cmp -s "$png" "$source/data/icons/hicolor/${size}x${size}/apps/krestiki-noliki.png" || fail "$png differs from the source"
done
svg=$share/icons/hicolor/scalable/apps/$icon.svg
[ -f "$svg" ] || fail "no $svg"
grep -q '<svg[^>]*viewBox="0 0 256 256"' "$svg" || fail "$svg is not a square SVG"

# The installed program runs away from the build tree: it is still up after a second.
QT_QPA_PLATFORM=offscreen "$prefix/bin/krestiki-noliki" >"$work/game.log" 2>&1 &
game=$!
PIDS+=($game)
sleep 1
if ended "$game"; then
  status=0; wait "$game" || status=$?
  fail "the installed program exited with status $status within a second"
fi
echo "PASS"
