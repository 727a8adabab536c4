#!/usr/bin/env bash
# Builds the Windows deliverables (scripts/package-windows.sh), builds them again from a copy of the
# tree in another folder and checks that both builds gave the same bytes, then tests them under Wine,
# inside a clean Debian 13 root with its Wine, an Xvfb and no window manager: the Windows build's
# tests, the silent install, a game played by clicks on the installed program, the silent uninstall.
#   bash scripts/test-windows.sh [--fresh]   (--fresh builds Qt for Windows again)
set -euo pipefail
tree=$(cd "$(dirname "$0")/.." && pwd)
# One time for both builds: the copy has no history to take it from.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$tree" log -1 --format=%ct)}
bash "$tree/scripts/install-deps.sh" unzip
bash "$tree/scripts/package-windows.sh" "$@"

# The second build: another folder, another time, the same cached Qt and roots.
again=$(mktemp -d "${TMPDIR:-/tmp}/kn-windows-again.XXXXXXXX")
trap 'rm -rf "$again"' EXIT
bash "$tree/scripts/copy-tree.sh" "$again/tree"
git -C "$again/tree" init -q && git -C "$again/tree" add -A
echo "test-windows: building the deliverables again in $again/tree"
start=$SECONDS
bash "$again/tree/scripts/package-windows.sh" >"$again/package.log" 2>&1 ||
  { tail -n 30 "$again/package.log" >&2; exit 1; }
same=1
for file in "$tree"/dist/krestiki-noliki-*-{setup.exe,windows-x64.zip}; do
  name=$(basename "$file")
  cmp -s "$file" "$again/tree/dist/$name" && continue
  same=
  echo "test-windows: $name differs between the two builds: $(cmp "$file" "$again/tree/dist/$name" 2>&1 | head -n 1)" >&2
done
if [[ -z $same ]]; then
  # Name what differs: a shipped file, or only how the zip stores them.
  diff -rq "$tree/build-windows/stage" "$again/tree/build-windows/stage" | sed 's/^/test-windows: /' >&2 || true
  zip=$(cd "$tree/dist" && ls krestiki-noliki-*-windows-x64.zip)
  entries() { zipinfo -l "$1" | tail -n +2; }
  diff <(entries "$tree/dist/$zip") <(entries "$again/tree/dist/$zip") | sed 's/^/test-windows: zip entries: /' >&2 || true
  exit 1
fi
echo "test-windows: built again in $((SECONDS - start)) s, byte for byte the same:" \
  "$(cd "$tree/dist" && echo krestiki-noliki-*-{setup.exe,windows-x64.zip})"
rm -rf "$again"
trap - EXIT
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
