#!/usr/bin/env bash
# Renders Kvelta's icon PNGs (48, 64, 128 and 256 px) from the scalable icon data/icons/<id>.svg.
# Needs rsvg-convert (Debian package librsvg2-bin) or, failing that, ImageMagick's convert. The PNGs
# are committed, so the build does not need either; run this only after changing the SVG.
set -euo pipefail

cd "$(dirname "$0")/.."
id=org.example.Kvelta
svg="data/icons/$id.svg"

for size in 48 64 128 256; do
  out="data/icons/${size}x${size}/$id.png"
  mkdir -p "$(dirname "$out")"
  if command -v rsvg-convert >/dev/null; then
    rsvg-convert --width "$size" --height "$size" --format png --output "$out" "$svg"
  else
    # A high density first, so the downscaled picture stays sharp; keep transparency.
    convert -background none -density $((96 * size / 256 * 4)) "$svg" -resize "${size}x${size}" -strip "PNG32:$out"
  fi
  echo "wrote $out"
done
