#!/usr/bin/env bash
# Inside the Debian 13 root of scripts/package-web.sh: builds the game and its tests for the browser
# against the Qt in QT_PREFIX, and packs the site into DIST as a zip of static files.
#   build-game.sh QT_PREFIX DIST   (SOURCE_DATE_EPOCH set; KN_SOURCE_COMMIT names the commit built)
set -euo pipefail
qt=${1:?usage: build-game.sh QT_PREFIX DIST}
dist=${2:?usage: build-game.sh QT_PREFIX DIST}
tree=$(cd "$(dirname "$0")/../.." && pwd)
build=$tree/build-web
cd "$tree"
version=$(sed -n 's/^project(krestiki-noliki VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
: "${SOURCE_DATE_EPOCH:?the build takes its time from SOURCE_DATE_EPOCH}"
export EMSDK=$qt/emsdk

echo "package-web: building the game and its tests"
# Debian's Qt leaves static plugins to be named; the browser's platform is the one this Qt has.
# Optimised for size as Qt is (-Oz), which also has the link's optimiser shrink the whole program.
"$qt/bin/qt-cmake" -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel "-DCMAKE_CXX_FLAGS_MINSIZEREL=-Oz -DNDEBUG" -DKN_WERROR=ON \
  -DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=python3;$tree/tests/web/run-in-chromium.py" >"$build.configure.log" 2>&1 ||
  { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build"

# The site: the page, the program and Qt's loader, the icons and the web app's manifest, and the
# licences of all it carries.
name=krestiki-noliki-$version-web
site=$build/$name
rm -rf "$site" && mkdir -p "$site/licences"
cp data/web/{manifest.webmanifest,icon-192.png,icon-512.png} data/icons/krestiki-noliki.svg "$site/"
cp "$build"/bin/krestiki-noliki.{js,wasm} "$build/bin/qtloader.js" "$site/"
sed "s|@PROGRAM_SIZE@|$(stat -c %s "$site/krestiki-noliki.wasm")|" data/web/index.html >"$site/index.html"
package_version() { dpkg-query -W -f='${Version}' "$1"; }
cp LICENSE "$site/licences/krestiki-noliki.txt"
cp "$qt/LICENSE.GPL-3.0" "$site/licences/GPL-3.0.txt"
cp "$qt/copyright" "$site/licences/qt6-base.txt"
cp /usr/share/doc/fonts-wine/copyright "$site/licences/fonts-wine.txt"
cp /usr/share/doc/emscripten/copyright "$site/licences/emscripten.txt"
commit=${KN_SOURCE_COMMIT:-}
{
  echo "Крестики-нолики $version, for the web browser"
  echo
  echo "The site as a whole is free software under the GNU General Public License version 3"
  echo "(GPL-3.0.txt), which Qt's platform plugin for the browser and Qt's loader (qtloader.js) are under."
  echo "It is made of:"
  echo
  echo "- the game, under the MIT licence (krestiki-noliki.txt): its source is the repository this site is"
  echo "  built from${commit:+, commit $commit}, where bash scripts/package-web.sh builds this site again;"
  echo "- Qt $(cut -d+ -f1 "$qt/SOURCE_VERSION") (Core, Gui, Widgets and the browser's platform plugin), with the libraries Qt"
  echo "  carries (FreeType, HarfBuzz, libpng, zlib, PCRE2, double-conversion and others), built"
  echo "  statically from Debian 13's source package qt6-base $(cat "$qt/SOURCE_VERSION"), with the"
  echo "  DejaVu fonts left out of the platform plugin and its accessibility on from the start, without the"
  echo "  button that hid it (scripts/web/build-qt.sh in the game's repository):"
  echo "  the licences of each part are in qt6-base.txt;"
  echo "- Wine's Tahoma, regular face, from Debian 13's package fonts-wine $(package_version fonts-wine) (source"
  echo "  package wine), under the GNU LGPL 2.1 or later (fonts-wine.txt);"
  echo "- the runtime of Emscripten, which compiled the program (its C and C++ libraries and its"
  echo "  JavaScript support), from Debian 13's package emscripten $(package_version emscripten), under the licences"
  echo "  in emscripten.txt."
} >"$site/licences/README.txt"

# The service worker keeps every file of the site; its build is a digest of them all, so that any
# change of one makes a new worker.
files=$(cd "$site" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
build_digest=$(cd "$site" && echo "$files" | xargs sha256sum | sha256sum | cut -c1-16)
file_list=$(echo "$files" | sed 's/.*/"&"/' | paste -sd, | sed 's/,/, /g')
sed -e "s|@BUILD@|$build_digest|" -e "s|@FILES@|[$file_list]|" data/web/sw.js >"$site/sw.js"

# Beside each file over a kilobyte, its brotli and gzip copies, which a host that serves such copies
# as they are (nginx's gzip_static and brotli_static, Caddy's precompressed) sends in its place. The
# service worker keeps the files themselves: what the browser asks for, whichever copy brings it.
find "$site" -type f -size +1k | LC_ALL=C sort | while read -r file; do
  brotli -q 11 -k -f -o "$file.br" "$file"
  zopfli --gzip -c "$file" >"$file.gz"
done

# The zip is the same from any folder at any time: one time, one order, no owners or extra fields.
find "$site" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
find "$site" -type f -exec chmod 644 {} + && find "$site" -type d -exec chmod 755 {} +
mkdir -p "$dist"
zip=$dist/$name.zip
rm -f "$zip"
(cd "$build" && find "$name" | LC_ALL=C sort | TZ=UTC zip -q -9 -X -D "$zip" -@)
