#!/usr/bin/env bash
# Runs every test again and again on a loaded machine: two busy processes per core beside the
# tests, which run two at a time. Tells each run's outcome and stops at the first failure,
# keeping its log. Usage: scripts/test-loaded.sh [runs, 20 unless given]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
scripts/install-deps.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen

busy=()
stop_busy() { [ ${#busy[@]} -eq 0 ] || kill "${busy[@]}" 2>/dev/null || true; }
trap stop_busy EXIT
for _ in $(seq $((2 * $(nproc)))); do
    (while :; do :; done) &
    busy+=($!)
done

log=$(mktemp -d)/run.log
started=$(date +%s)
for run in $(seq "$runs"); do
    if ! ctest --test-dir build --output-on-failure --timeout 300 -j2 >"$log" 2>&1; then
        grep -E 'tests passed|Failed|Timeout|\*\*\*' "$log" | tail -n 20
        echo "run $run of $runs failed; its log: $log"
        exit 1
    fi
    echo "run $run of $runs: $(grep -E 'tests passed' "$log")"
done
echo "$runs runs in a row passed, with ${#busy[@]} busy processes on $(nproc) cores," \
    "in $(($(date +%s) - started)) s"
