#!/usr/bin/env bash
# Inside a Debian 13 root: builds Qt for the browser (WebAssembly) from Debian's own qt6-base source
# package, statically, with this release's Emscripten and its Qt tools as the host Qt, and installs
# it into PREFIX.
#   build-qt.sh --name     prints the build's name: the source package's version and a digest of the
#                          options, the feature list, the patch series and Emscripten's version,
#                          under which it is kept
#   build-qt.sh PREFIX     builds and installs
set -euo pipefail

# Core, Gui, Widgets and Test with the browser's platform plugin, without OpenGL, of the features
# only those on the shared list (scripts/qt/features), optimised for size; Debian's source changed by
# the shared series (scripts/qt/patches). Qt's unity build compiles its sources in batches, for a
# shorter cold build.
options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DFEATURE_optimize_size=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
  -DFEATURE_testlib=ON
  -DQT_UNITY_BUILD=ON
)

source "$(dirname "$0")/../debian-root.sh"
version=$(qt_source_version)
emscripten=$(dpkg-query -W -f='${Version}' emscripten)
if [[ ${1:-} == --name ]]; then
  digest=$( { printf '%s\n' "${options[@]}" "$emscripten"; qt_shared_digests; } | sha256sum | cut -c1-12)
  echo "qt6-base_${version}_wasm32-emscripten_$digest"
  exit 0
fi
prefix=${1:?usage: build-qt.sh --name | PREFIX}
qt_fetch_source "$version" /tmp/qt-web
source_dir=$qt_source
qt_patch "$source_dir"
features=$(qt_feature_options "$source_dir" web)
# Qt looks for Emscripten through an SDK's folder, also when a program is built against it; Debian's
# Emscripten is installed system-wide, so the folder beside Qt only points there.
export EMSDK=$prefix/emsdk
rm -rf "$EMSDK" && mkdir -p "$EMSDK/upstream"
ln -s /usr/share/emscripten "$EMSDK/upstream/emscripten"
echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" >"$EMSDK/.emscripten"
echo "build-qt: configuring Qt $version for the browser with Emscripten $emscripten"
# shellcheck disable=SC2086 # the features are an option a word
qt_build "$source_dir" "$prefix" -DQT_QMAKE_TARGET_MKSPEC=wasm-emscripten \
  -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake "${options[@]}" $features
# What the site built against it ships with: the licences, and where the source came from.
cp "$source_dir/LICENSES/GPL-3.0-only.txt" "$prefix/LICENSE.GPL-3.0"
cp "$source_dir/debian/copyright" "$prefix/copyright"
echo "$version" >"$prefix/SOURCE_VERSION"
cd / && rm -rf /tmp/qt-web
