#!/usr/bin/env bash
# Remakes the screenshots of the user's guide (docs/*.png) from the test data, in a real
# window under Xvfb. Run after changing a window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
mkdir -p docs
xvfb-run -a -s "-screen 0 1600x1200x24" build/bin/make-screenshots docs
