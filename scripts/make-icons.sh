#!/usr/bin/env bash
# Renders the program's icon (data/icons/*.svg) into the PNG sizes kept beside it. Run after
# changing the SVG; needs rsvg-convert (Debian: librsvg2-bin) and
# convert (imagemagick).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" org.vfturn.VFTurnEntry.svg \
        -o "${size}x${size}/org.vfturn.VFTurnEntry.png"
done
# The Windows icon (program file, Start menu, installer) holds the usual sizes in one file.
convert 16x16/org.vfturn.VFTurnEntry.png 32x32/org.vfturn.VFTurnEntry.png \
    48x48/org.vfturn.VFTurnEntry.png 64x64/org.vfturn.VFTurnEntry.png \
    128x128/org.vfturn.VFTurnEntry.png 256x256/org.vfturn.VFTurnEntry.png \
    ../windows/vfturn.ico
