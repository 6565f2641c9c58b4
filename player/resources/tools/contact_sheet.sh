#!/bin/sh
# Builds contact sheets of the player's pictures for checking them by eye:
# sheet_x4.png (every picture enlarged four times, without smoothing) and sheet_x1.png.
#   contact_sheet.sh IMAGES_DIR OUT_DIR
set -e
images=${1:-player/resources/images}
out=${2:-/tmp/artwork_preview}
mkdir -p "$out/x4"
for f in "$images"/*.png; do
    convert "$f" -filter point -resize 400% "$out/x4/$(basename "$f")"
done
montage -label '%t' -font DejaVu-Sans -pointsize 11 -background '#808080' \
    -geometry +6+6 -tile 8x "$out"/x4/*.png "$out/sheet_x4.png"
montage -label '%t' -font DejaVu-Sans -pointsize 9 -background '#808080' \
    -geometry +4+4 -tile 8x "$images"/*.png "$out/sheet_x1.png"
