#!/usr/bin/env bash
# Inside a Debian 13 root: builds Qt for 64-bit Windows from Debian's own qt6-base source package,
# with this release's MinGW-w64 and its Qt tools as the host Qt, and installs it into PREFIX.
#   build-qt.sh --name     prints the build's name: the source package's version and a digest of the
#                          options, the toolchain, the feature list and the patch series, under
#                          which the build is kept
#   build-qt.sh PREFIX     builds and installs
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/../../cmake/mingw-w64-x86_64.cmake

# Core, Gui, Widgets and Test, the Windows platform plugin and styles, of the features only those on
# the shared list (scripts/qt/features); Debian's source changed by the shared series
# (scripts/qt/patches). Direct2D stays on: without it the DirectWrite font database does not build.
# Qt's unity build compiles its sources in batches, which takes a cold build from 34 to 20 minutes
# here; Qt leaves Gui out of it on Windows.
options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DFEATURE_optimize_size=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
  -DFEATURE_direct2d1_1=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF
  -DFEATURE_testlib=ON
  -DQT_UNITY_BUILD=ON
  -DCMAKE_C_FLAGS=-ffile-prefix-map=/tmp/qt-windows/= -DCMAKE_CXX_FLAGS=-ffile-prefix-map=/tmp/qt-windows/=
)

source "$here/../debian-root.sh"
version=$(qt_source_version)
if [[ ${1:-} == --name ]]; then
  digest=$( { printf '%s\n' "${options[@]}"; cat "$toolchain"; qt_shared_digests; } | sha256sum | cut -c1-12)
  echo "qt6-base_${version}_x86_64-w64-mingw32_$digest"
  exit 0
fi
prefix=${1:?usage: build-qt.sh --name | PREFIX}
# One fixed folder, whose name the build maps away, so the libraries carry no path of where it ran.
qt_fetch_source "$version" /tmp/qt-windows
source_dir=$qt_source
qt_patch "$source_dir"
features=$(qt_feature_options "$source_dir" windows)
echo "build-qt: configuring Qt $version for Windows"
# shellcheck disable=SC2086 # the features are an option a word
qt_build "$source_dir" "$prefix" -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${options[@]}" $features
# What the programs built against it ship with: the licence, and where the source came from.
cp "$source_dir/LICENSES/LGPL-3.0-only.txt" "$prefix/LICENSE.LGPL-3.0"
cp "$source_dir/LICENSES/GPL-3.0-only.txt" "$prefix/LICENSE.GPL-3.0"
echo "Debian source package qt6-base $version (Debian 13, trixie)" >"$prefix/SOURCE"
cd / && rm -rf /tmp/qt-windows
