#!/bin/sh
# make icon: icon/dorvalix.ico from the drawing icon/dorvalix.svg, with the 16, 32, 48
# and 256 pixel images that Windows picks from (the 256 one PNG-compressed, as Windows
# Vista and later read it), and docs/icon.png, the picture the README shows. Both are
# committed, so that a build needs no image tools: run this after changing the drawing.
set -e
cd "$(dirname -- "$0")/.."
sh scripts/install-deps.sh icon
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 32 48 256; do
    rsvg-convert -w $size -h $size icon/dorvalix.svg -o "$work/$size.png"
done
# No dates in the PNG part: the same drawing gives the same bytes.
convert "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" \
    -define png:exclude-chunks=date,time "$work/dorvalix.ico"
rsvg-convert -w 64 -h 64 icon/dorvalix.svg -o "$work/icon.png"
mv "$work/dorvalix.ico" icon/dorvalix.ico
mv "$work/icon.png" docs/icon.png
echo "icon/dorvalix.ico ($(identify -format '%wx%h ' icon/dorvalix.ico | sed 's/ $//'))"
echo "docs/icon.png ($(identify -format '%wx%h' docs/icon.png))"
