#!/usr/bin/env bash
# Renders the About window's picture: a shaded ellipsoid with its graticule over a sky that
# lightens downwards (so the black and blue labels near the bottom stay readable).
# Needs ImageMagick 6 (`convert`, Debian package imagemagick). The JPEG is committed, so the
# build itself does not need ImageMagick; run this only to change the picture.
set -euo pipefail

out="${1:-$(dirname "$0")/../src/app/about.jpg}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

W=340 H=508           # picture size
CX=170 CY=172         # centre of the ellipsoid
A=132 B=116           # its semi-axes in pixels (flattening exaggerated so it reads as an ellipsoid)

# Sky: deep blue at the top, pale at the bottom.
convert -size ${W}x${H} gradient:'#06102a'-'#c9dcec' "$tmp/sky.png"

# The body: a radial highlight, offset up and to the left, cut to the ellipse.
convert -size $((4*A))x$((4*B)) radial-gradient:'#d8f0ff'-'#02142c' \
        -crop $((2*A))x$((2*B))+$((A*13/10))+$((B*13/10)) +repage "$tmp/shade.png"
convert -size $((2*A))x$((2*B)) xc:black -fill white -draw "ellipse $A,$B $((A-1)),$((B-1)) 0,360" \
        "$tmp/mask.png"
convert "$tmp/shade.png" "$tmp/mask.png" -alpha off -compose CopyOpacity -composite "$tmp/body.png"

# Graticule: meridians every 30 degrees of longitude (ellipses of semi-axes A·sin λ and B),
# parallels every 20 degrees of latitude (chords at B·sin φ, half-length A·cos φ), seen from the equator.
draw=""
for lon in 30 60 90; do
  rx=$(awk -v a=$A -v l=$lon 'BEGIN { printf "%d", a*sin(l*atan2(0,-1)/180) + 0.5 }')
  draw+="ellipse $CX,$CY $rx,$B 0,360 "
done
draw+="line $CX,$((CY-B)) $CX,$((CY+B)) "
for lat in -60 -40 -20 0 20 40 60; do
  read -r y hx < <(awk -v b=$B -v a=$A -v c=$CY -v f=$lat \
      'BEGIN { r=f*atan2(0,-1)/180; printf "%d %d\n", c - b*sin(r) + 0.5, a*cos(r) + 0.5 }')
  draw+="line $((CX-hx)),$y $((CX+hx)),$y "
done

convert "$tmp/sky.png" "$tmp/body.png" -geometry +$((CX-A))+$((CY-B)) -compose Over -composite \
        -fill none -stroke '#ffe9a0' -strokewidth 1 -draw "$draw" \
        -fill none -stroke '#ffffff' -strokewidth 1.5 -draw "ellipse $CX,$CY $((A-1)),$((B-1)) 0,360" \
        -strip -interlace none -sampling-factor 2x2 -quality 90 "JPEG:$out"
echo "wrote $out"
