#!/usr/bin/env bash
# Builds the Debian package and leaves it in dist/ (or in the folder given).
# The build runs in a temporary copy of the tree's files (tracked and new, not ignored ones), so it
# never sees a developer's build folders, leaves no debian/ build state behind and writes nothing to
# the folder above the tree, where dpkg-buildpackage puts its results.
set -euo pipefail
out=$(realpath -m "${1:-$(dirname "$0")/../dist}")
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh build-essential dpkg-dev debhelper cmake ninja-build \
  qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev git

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash scripts/copy-tree.sh "$work/src"

(cd "$work/src" && dpkg-buildpackage -us -uc -b)

mkdir -p "$out"
rm -f "$out"/krestiki-noliki_*.deb
mv "$work"/krestiki-noliki_*.deb "$out"/
ls "$out"/krestiki-noliki_*.deb
