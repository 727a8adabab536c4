#!/usr/bin/env bash
# Renders the committed hicolor PNGs from the scalable icon; run it after editing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert >/dev/null || bash scripts/install-deps.sh librsvg2-bin
svg=data/icons/krestiki-noliki.svg
for size in 16 24 32 48 256; do
  out=data/icons/hicolor/${size}x${size}/apps/krestiki-noliki.png
  mkdir -p "$(dirname "$out")"
  rsvg-convert --width "$size" --height "$size" "$svg" --output "$out"
done
