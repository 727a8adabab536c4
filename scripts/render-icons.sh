#!/usr/bin/env bash
# Renders the committed hicolor PNGs, the web app's icons and the Windows icon from the scalable
# icon; run it after editing the SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v rsvg-convert >/dev/null || bash scripts/install-deps.sh librsvg2-bin
svg=data/icons/krestiki-noliki.svg
for size in 16 24 32 48 256; do
  out=data/icons/hicolor/${size}x${size}/apps/krestiki-noliki.png
  mkdir -p "$(dirname "$out")"
  rsvg-convert --width "$size" --height "$size" "$svg" --output "$out"
done
# The web app's icons, for a phone's home screen.
for size in 192 512; do
  rsvg-convert --width "$size" --height "$size" "$svg" --output "data/web/icon-$size.png"
done

# The Windows icon: each size at 8 bits per pixel (a palette, transparency by mask) for old displays,
# then at 32 bits, the largest as PNG.
command -v icotool >/dev/null && command -v convert >/dev/null || bash scripts/install-deps.sh icoutils imagemagick
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
png() { echo "data/icons/hicolor/$1x$1/apps/krestiki-noliki.png"; }
for size in 16 24 32 48; do
  convert "$(png $size)" -channel A -threshold 50% +channel -colors 255 "PNG8:$work/$size.png"
done
icotool --create --output=data/windows/krestiki-noliki.ico \
  --bit-depth=8 "$work"/{16,24,32,48}.png \
  --bit-depth=32 "$(png 16)" "$(png 24)" "$(png 32)" "$(png 48)" --raw="$(png 256)"
