#!/usr/bin/env bash
# Copies the tree's files (tracked and new ones, not ignored ones) into the folder given, so that a
# build there never sees a developer's build folders.
set -euo pipefail
dest=$(realpath -m "${1:?usage: copy-tree.sh DEST}")
cd "$(dirname "$0")/.."
mkdir -p "$dest"
git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
  # Files deleted in the working tree are still listed as tracked.
  if [ -e "$file" ]; then printf '%s\0' "$file"; fi
done | tar --null --files-from=- -cf - | tar -C "$dest" -xf -
