#!/usr/bin/env bash
# Inside the Debian 13 root of scripts/package-windows.sh: builds the game and its tests for Windows
# against the Qt in QT_PREFIX, checks the executable, and packs the installer and the zip into DIST.
#   SOURCE_DATE_EPOCH=SECONDS build-game.sh QT_PREFIX DIST
# Both come out the same, byte for byte, from any build of the same tree: the one time in them is
# SOURCE_DATE_EPOCH's, which the linker, strip and rcc take for their time stamps, and which every
# packed file carries.
set -euo pipefail
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:?SOURCE_DATE_EPOCH is not set}
export TZ=UTC
qt=${1:?usage: build-game.sh QT_PREFIX DIST}
dist=${2:?usage: build-game.sh QT_PREFIX DIST}
tree=$(cd "$(dirname "$0")/../.." && pwd)
build=$tree/build-windows
cd "$tree"
version=$(sed -n 's/^project(krestiki-noliki VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

echo "package-windows: building the game and its tests"
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DKN_WERROR=ON -DCMAKE_INSTALL_BINDIR=. \
  "-DCMAKE_CROSSCOMPILING_EMULATOR=bash;$tree/tests/windows/wine-test.sh" >"$build.configure.log" 2>&1 ||
  { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build"
bash tests/windows/check-executable.sh "$build/bin/krestiki-noliki.exe" "$version"

# What the program loads, and nothing else: Qt's three libraries, the Windows platform and the
# Windows styles, and the MinGW-w64 runtime. Qt finds the plugins beside the executable.
runtime() { x86_64-w64-mingw32-g++-posix -print-file-name="$1"; }
stage=$build/stage
rm -rf "$stage" && mkdir -p "$stage/platforms" "$stage/styles" "$stage/licences"
cmake --install "$build" --prefix "$stage" >/dev/null
cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "$stage/"
cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt/plugins/styles/qmodernwindowsstyle.dll" "$stage/styles/"
runtime_dlls=()
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  runtime_dlls+=("$(realpath "$(runtime "$dll")")")
done
cp "${runtime_dlls[@]}" "$stage/"
find "$stage" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

# The licences of what ships, and where it came from.
package_of() { dpkg-query -S "$1" | cut -d: -f1 | head -n 1; }
qt_version=$(sed -n 's/.*qt6-base \([^ ]*\).*/\1/p' "$qt/SOURCE")
cp LICENSE "$stage/licences/krestiki-noliki.txt"
cp "$qt/LICENSE.LGPL-3.0" "$stage/licences/Qt-LGPL-3.0.txt"
cp "$qt/LICENSE.GPL-3.0" "$stage/licences/Qt-GPL-3.0.txt"
{
  echo "Крестики-нолики $version for 64-bit Windows ships with:"
  echo
  echo "Qt ${qt_version%%[+-]*} (Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, platforms, styles), under"
  echo "the GNU LGPL version 3 (Qt-LGPL-3.0.txt, which builds on Qt-GPL-3.0.txt), built unchanged from"
  echo "Debian 13's (trixie's) source package qt6-base $qt_version, where its source is to be had."
  echo
  echo "The MinGW-w64 runtime (libstdc++-6.dll, libgcc_s_seh-1.dll, libwinpthread-1.dll):"
  for dll in "${runtime_dlls[@]}"; do
    package=$(package_of "$dll")
    echo "  $(basename "$dll") from the Debian package $(dpkg-query -W -f='${Package} ${Version} (source package ${source:Package} ${source:Version})' "$package")"
    cp "/usr/share/doc/$package/copyright" "$stage/licences/$package.txt"
  done
  echo "under the licences in the files named after those packages (libstdc++ and libgcc: the GNU GPL"
  echo "version 3 with the GCC Runtime Library Exception)."
} >"$stage/licences/README.txt"

# Every file and folder the same time and modes, whoever built it and when: the zip stores them, and
# the installer stores the times, which the installed files then get.
find "$stage" -type d -exec chmod 755 {} + -o -type f -exec chmod 644 {} +
find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p "$dist"
installer=$dist/krestiki-noliki-$version-setup.exe
zip=$dist/krestiki-noliki-$version-windows-x64.zip
rm -f "$installer" "$zip"
# The installer names each file it puts down, so that its uninstaller removes those and nothing else.
(
  cd "$stage"
  windows_path() { local path=${1#.}; echo "\$INSTDIR${path//\//\\}"; }
  echo '!macro InstallFiles'
  find . -type d | sort | while read -r dir; do
    echo "  SetOutPath \"$(windows_path "$dir")\""
    find "$dir" -maxdepth 1 -type f | sort | while read -r file; do echo "  File \"$stage/${file#./}\""; done
  done
  echo '!macroend'
  echo '!macro UninstallFiles'
  find . -type f | sort | while read -r file; do echo "  Delete \"$(windows_path "$file")\""; done
  find . -mindepth 1 -type d | sort -r | while read -r dir; do echo "  RMDir \"$(windows_path "$dir")\""; done
  echo '!macroend'
) >"$build/installer-files.nsh"
# The licence page: the game's licence, then what ships with it.
printf '\xef\xbb\xbf' | cat - LICENSE <(echo) "$stage/licences/README.txt" >"$build/licence-page.txt"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DFILES="$build/installer-files.nsh" \
  -DICON="$tree/data/windows/krestiki-noliki.ico" -DLICENCE="$build/licence-page.txt" \
  -DOUTFILE="$installer" data/windows/installer.nsi
# The zip's entries in one order, with no folder entries and no extra fields of the building system.
(cd "$build" && rm -rf "krestiki-noliki-$version" && cp -a stage "krestiki-noliki-$version" &&
  find "krestiki-noliki-$version" -type f | LC_ALL=C sort | zip -q -9 -X -D "$zip" -@ &&
  rm -rf "krestiki-noliki-$version")

# The test programs run beside the same libraries and plugins, and Qt Test's.
cp "$stage"/*.dll "$build/bin/"
cp -r "$stage/platforms" "$stage/styles" "$build/bin/"
cp "$qt/bin/Qt6Test.dll" "$build/bin/"
