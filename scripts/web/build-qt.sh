#!/usr/bin/env bash
# Inside a Debian 13 root: builds Qt for the browser (WebAssembly) from Debian's own qt6-base source
# package, statically, with this release's Emscripten and its Qt tools as the host Qt, and installs
# it into PREFIX.
#   build-qt.sh --name     prints the build's name: the source package's version and a digest of the
#                          options, the patch series and Emscripten's version, under which it is kept
#   build-qt.sh PREFIX     builds and installs
set -euo pipefail

# Only what the game and its tests use: Core, Gui, Widgets and Test with the browser's platform
# plugin, optimised for size. OpenGL stays, as WebGL: the plugin's backing store is built only with
# it. No style sheets, PDF or rich-text writers: nothing of the game uses them, and style sheets
# alone pull in most of the widgets. Qt's unity build compiles its sources in batches, for a shorter
# cold build.
options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFEATURE_optimize_size=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DINPUT_opengl=es2 -DFEATURE_vulkan=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_pdf=OFF
  -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_style_stylesheet=OFF
  -DFEATURE_testlib=ON
  -DQT_UNITY_BUILD=ON
)
# Debian's source is changed by the series in qt-patches, applied in order; each names the fault it
# mends and where upstream mended it. The series' files are part of the build's name.
patches=$(cd "$(dirname "$0")" && pwd)/qt-patches

source "$(dirname "$0")/../debian-root.sh"
version=$(qt_source_version)
emscripten=$(dpkg-query -W -f='${Version}' emscripten)
if [[ ${1:-} == --name ]]; then
  digest=$( { printf '%s\n' "${options[@]}" "$emscripten"; cd "$patches" && sha256sum ./*.patch; } | sha256sum | cut -c1-12)
  echo "qt6-base_${version}_wasm32-emscripten_$digest"
  exit 0
fi
prefix=${1:?usage: build-qt.sh --name | PREFIX}
qt_fetch_source "$version" /tmp/qt-web
source_dir=$qt_source
for patch in "$patches"/*.patch; do
  patch -s -p1 -d "$source_dir" <"$patch"
done
# Qt looks for Emscripten through an SDK's folder, also when a program is built against it; Debian's
# Emscripten is installed system-wide, so the folder beside Qt only points there.
export EMSDK=$prefix/emsdk
rm -rf "$EMSDK" && mkdir -p "$EMSDK/upstream"
ln -s /usr/share/emscripten "$EMSDK/upstream/emscripten"
echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" >"$EMSDK/.emscripten"
echo "build-qt: configuring Qt $version for the browser with Emscripten $emscripten"
qt_build "$source_dir" "$prefix" -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake "${options[@]}"
# What the site built against it ships with: the licences, and where the source came from.
cp "$source_dir/LICENSES/GPL-3.0-only.txt" "$prefix/LICENSE.GPL-3.0"
cp "$source_dir/debian/copyright" "$prefix/copyright"
echo "$version" >"$prefix/SOURCE_VERSION"
cd / && rm -rf /tmp/qt-web
