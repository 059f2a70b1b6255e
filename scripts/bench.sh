#!/usr/bin/env bash
# Installs what is missing, builds, and runs the benchmarks, which print their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
for b in build/bin/bench_*; do
    [ -x "$b" ] && "$b"
done
