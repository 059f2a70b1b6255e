#!/usr/bin/env bash
# Renders the program's icon (data/icons/*.svg) into the PNG sizes kept beside it. Run after
# changing the SVG; needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 16 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" org.vfturn.VFTurnEntry.svg \
        -o "${size}x${size}/org.vfturn.VFTurnEntry.png"
done
