#!/usr/bin/env bash
# Builds the Windows installer and the portable zip into dist/: bash scripts/package-windows.sh [--fresh]
# Everything is built inside a clean Debian 13 root: Qt for Windows from Debian's own qt6-base source
# package, once, kept in the cache (KN_QT_WINDOWS_CACHE, by default ~/.cache/krestiki-noliki/qt-windows)
# under a name that carries its version and options (--fresh builds it again); then the game and its
# tests with MinGW-w64 against it, packed with NSIS and zip. The test build is left in build-windows/
# for scripts/test-windows.sh. Both deliverables are the same, byte for byte, from any build of the
# same tree: their one time is SOURCE_DATE_EPOCH, the last commit's unless the caller sets it; the
# last lines are their SHA-256 sums.
set -euo pipefail
tree=$(cd "$(dirname "$0")/.." && pwd)
root_label=package-windows
source "$tree/scripts/debian-root.sh"
qt_cache=${KN_QT_WINDOWS_CACHE:-$kn_cache/qt-windows}
qt_prefix=/opt/qt6-windows
fresh_argument "$@"
set_source_date_epoch "$tree"
enter_build_root "the cross-build's packages" g++-mingw-w64-x86-64-posix cmake ninja-build \
  qt6-base-dev qt6-base-dev-tools dpkg-dev nsis zip icoutils

qt_into_root /src/krestiki-noliki/scripts/windows/build-qt.sh "$qt_cache" "$qt_prefix" "$fresh"

in_root "$root" SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" bash /src/krestiki-noliki/scripts/windows/build-game.sh "$qt_prefix" /src/krestiki-noliki/dist
mkdir -p "$tree/dist"
rm -f "$tree"/dist/krestiki-noliki-*-{setup.exe,windows-x64.zip}
cp "$root"/src/krestiki-noliki/dist/krestiki-noliki-*-{setup.exe,windows-x64.zip} "$tree/dist/"
rm -rf "$tree/build-windows"
cp -a "$root/src/krestiki-noliki/build-windows" "$tree/build-windows"
# Says the size of FILE and its BOUND; false past it, which fails the build once all is said.
within() {
  echo "package-windows: $1, $(megabytes "$(stat -c %s "$1")") (at most $(megabytes "$2"))"
  (($(stat -c %s "$1") <= $2))
}
oversized=0
within "$tree"/dist/krestiki-noliki-*-windows-x64.zip 6000000 || oversized=1
within "$tree"/dist/krestiki-noliki-*-setup.exe 5000000 || oversized=1
echo "package-windows: the installed program, $(megabytes "$(du -s --apparent-size --block-size=1 "$tree/build-windows/stage" | cut -f1)")"
echo "package-windows: SHA-256 sums, SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH:"
(cd "$tree/dist" && sha256sum krestiki-noliki-*-{setup.exe,windows-x64.zip})
((oversized == 0)) || { echo "package-windows: a deliverable has grown past its bound" >&2; exit 1; }
