#!/usr/bin/env bash
# Builds the Windows deliverables (scripts/package-windows.sh) and tests them under Wine, inside a
# clean Debian 13 root with its Wine, an Xvfb and no window manager: the Windows build's tests, the
# silent install, a game played by clicks on the installed program, the silent uninstall.
#   bash scripts/test-windows.sh [--fresh]   (--fresh builds Qt for Windows again)
set -euo pipefail
tree=$(cd "$(dirname "$0")/.." && pwd)
bash "$tree/scripts/package-windows.sh" "$@"
root_label=test-windows
source "$tree/scripts/debian-root.sh"

bare_root trixie
enter_root trixie
copy_tree_into_root
cp -a "$tree/build-windows" "$root/src/krestiki-noliki/build-windows"
root_say "installing Wine and what drives it"
in_root "$root" bash /src/krestiki-noliki/scripts/install-deps.sh wine wine64 fonts-wine xvfb xauth xdotool x11-utils imagemagick cmake
setup=$(cd "$tree/dist" && ls krestiki-noliki-*-setup.exe)
cp "$tree/dist/$setup" "$root/tmp/"
start=$SECONDS
in_root "$root" bash /src/krestiki-noliki/tests/windows/test-under-wine.sh "/tmp/$setup" /src/krestiki-noliki/build-windows
root_say "passed in $((SECONDS - start)) s"
