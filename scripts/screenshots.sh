#!/usr/bin/env bash
# Remakes the screenshots of the user's guide (docs/*.png) from the test data, in a real
# window under Xvfb, and the same windows on a small screen (docs/800x600) and at double size
# on a 1280x800 screen (docs/double). Run after changing a window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p docs/800x600 docs/double
xvfb-run -a -s "-screen 0 1600x1200x24" build/bin/make-screenshots docs
xvfb-run -a -s "-screen 0 800x600x24" build/bin/make-screenshots docs/800x600
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 1280x800x24" build/bin/make-screenshots docs/double
