#!/usr/bin/env bash
# Installs what is missing, builds, and starts VF Turn Entry. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/bin/vfturn "$@"
