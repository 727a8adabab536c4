#!/usr/bin/env bash
# Builds the game's web site into dist/krestiki-noliki-VERSION-web.zip: bash scripts/package-web.sh [--fresh]
# Everything is built inside a clean Debian 13 root: Qt for the browser from Debian's own qt6-base
# source package with Debian's Emscripten, once, kept in the cache (KN_QT_WEB_CACHE, by default
# ~/.cache/krestiki-noliki/qt-web) under a name that carries its version and options (--fresh builds
# it again); then the game and its tests against it. The zip holds a folder of static files that
# any web server can host as it is; its files take their time from SOURCE_DATE_EPOCH, by default the
# last commit's, so a build of the same commit is the same zip from any folder. The test build is
# left in build-web/ for scripts/test-web.sh.
set -euo pipefail
tree=$(cd "$(dirname "$0")/.." && pwd)
root_label=package-web
source "$tree/scripts/debian-root.sh"
qt_cache=${KN_QT_WEB_CACHE:-$kn_cache/qt-web}
qt_prefix=/opt/qt6-web
fresh_argument "$@"
set_source_date_epoch "$tree"
enter_build_root "Emscripten and what builds with it" emscripten cmake ninja-build \
  qt6-base-dev qt6-base-dev-tools dpkg-dev fonts-wine zip brotli zopfli

qt_into_root /src/krestiki-noliki/scripts/web/build-qt.sh "$qt_cache" "$qt_prefix" "$fresh"

in_root "$root" SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" KN_SOURCE_COMMIT="$(git -C "$tree" rev-parse --verify -q HEAD || true)" \
  bash /src/krestiki-noliki/scripts/web/build-game.sh "$qt_prefix" /src/krestiki-noliki/dist
zip=$(cd "$root/src/krestiki-noliki/dist" && ls krestiki-noliki-*-web.zip)
mkdir -p "$tree/dist"
cp "$root/src/krestiki-noliki/dist/$zip" "$tree/dist/"
rm -rf "$tree/build-web"
cp -a "$root/src/krestiki-noliki/build-web" "$tree/build-web"
# What a browser downloads to show the game: as it lies, and as a host sends it, the gzip or the
# brotli copy where the site has one. A build past either bound fails.
site=$tree/build-web/${zip%.zip}
gzip_bound=2500000 brotli_bound=1900000
# Prints the size of FILES: raw, then as sent with gzip, then with brotli.
sizes() {
  local raw=0 gz=0 br=0 file
  for file; do
    raw=$((raw + $(stat -c %s "$file")))
    gz=$((gz + $(stat -c %s "$( [[ -e $file.gz ]] && echo "$file.gz" || echo "$file")")))
    br=$((br + $(stat -c %s "$( [[ -e $file.br ]] && echo "$file.br" || echo "$file")")))
  done
  echo "$raw $gz $br"
}
read -r raw gz br < <(sizes "$site"/{index.html,qtloader.js,krestiki-noliki.js,krestiki-noliki.wasm,krestiki-noliki.svg})
mapfile -d '' kept < <(find "$site" -type f ! -name '*.br' ! -name '*.gz' -print0)
read -r kept_raw kept_gz kept_br < <(sizes "${kept[@]}")
echo "package-web: $tree/dist/$zip, $(megabytes "$(stat -c %s "$tree/dist/$zip")")"
echo "package-web: what a browser downloads to show the game: $(megabytes "$raw"), $(megabytes "$gz") with gzip (at most $(megabytes "$gzip_bound")), $(megabytes "$br") with brotli (at most $(megabytes "$brotli_bound"))"
echo "package-web: what the service worker keeps, the whole site: $(megabytes "$kept_raw"), $(megabytes "$kept_gz") with gzip, $(megabytes "$kept_br") with brotli"
echo "package-web: SHA-256 $(sha256sum "$tree/dist/$zip" | cut -d' ' -f1)"
if ((gz > gzip_bound || br > brotli_bound)); then
  echo "package-web: the site has grown past its bounds" >&2
  exit 1
fi
