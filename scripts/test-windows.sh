#!/usr/bin/env bash
# Tests the Windows build under Wine: builds it when needed (scripts/package-windows.sh),
# runs every test program, then installs the installer silently, takes a turn through the
# installed program's folder with the real "windows" platform plugin under Xvfb (its reader
# imports 123.mdb; the orders file must be byte for byte the one the Linux build writes),
# starts the installed program itself, and uninstalls silently. Ends with "N passed, M failed".
# Wine is not Windows: what Wine does not do (enforce a job object's limits) is skipped, and
# said so.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
source scripts/windows-env.sh

if [ -z "${VFTURN_UNDER_XVFB:-}" ]; then
    scripts/package-windows.sh
    install_windows_build_tools xdotool imagemagick
    # Wine's windows need a display; the tests run under one Xvfb.
    VFTURN_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

version=$(sed -n 's/^project(VFTurnEntry VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
results="$repo/build-windows/test-results"
rm -rf "$results" && mkdir -p "$results"
# Debian's wine64 is not on the PATH.
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
export WINEPREFIX="$repo/build-windows/wine"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The test programs find Qt, SQLite, libmdb and the MinGW runtime here.
gcc_runtime=$(dirname "$("$windows_triplet-g++-posix" -print-libgcc-file-name)")
export WINEPATH="Z:$VFTURN_WINDOWS_DEPS/bin;Z:$gcc_runtime;Z:/usr/$windows_triplet/lib"

passed=0
failed=0
failures=()
wine_stalls=()
pass() { passed=$((passed + 1)); }
fail() {
    failed=$((failed + 1))
    failures+=("$1")
}
check() { # check DESCRIPTION COMMAND...
    if "${@:2}"; then pass; else fail "$1"; fi
}

# Waits for every program of the prefix to end, a minute at most: a process Wine cannot end
# (one stuck while starting) would hold "wineserver -w" for ever. What is still running then
# is named and ended.
# left_reader tells whether a turn results reader was among them.
settle_wine() {
    left_reader=0
    if ! timeout 60 wineserver -w; then
        echo "Still running under Wine after $1, ended now:"
        local left
        left=$(ps -eo pid,etime,time,args | grep -a '\.exe' | grep -v grep || true)
        echo "$left"
        grep -q 'vfturn-reader\.exe' <<<"$left" && left_reader=1
        wineserver -k || true
        timeout 60 wineserver -w || true
    fi
}

# Wine strips QT_ variables from the environment it hands a program; the prefix's own
# environment sets the platform plugin instead.
set_platform() {
    if [ -n "$1" ]; then
        "$wine" reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /t REG_SZ /d "$1" /f >/dev/null
    else
        "$wine" reg delete 'HKCU\Environment' /v QT_QPA_PLATFORM /f >/dev/null 2>&1 || true
    fi
    settle_wine "setting the platform plugin"
}

# Runs a Qt Test program and counts its test functions. (Under Wine, Qt Test writes nothing
# to a redirected standard output; it writes to the file it is given.)
#
# Wine 8 now and then stands still inside a call to the system (a reader it starts stuck
# before it runs, about once in a few thousand reader starts)
# and the test program stands still with it: none of the program's own time limits ends the
# wait, so no timer of the program runs there. The test function then times out. Once in CI a
# test program did not start at all (its results file never opened, status 1). A test program
# that failed one of those ways, and only that way, is run once more, and said so in the closing
# lines: a hang of the program's own would come back in the second run, whose results count.
#
# Qt Test's time limit counts a data-driven test function whole, all its rows together (5
# minutes unless told). The fuzz test's one function imports about 1,600 files, some 5 minutes
# under Wine: it ran into that limit now and then, which looked like Wine standing still. Here
# a function has 15 minutes: about twice what the fuzz test needs, and less than the 20 minutes
# a whole test program has (below), so a real stall is still ended by Qt Test and run again.
export QTEST_FUNCTION_TIMEOUT=900000
run_test_program() {
    local program=$1 name
    name=$(basename "$program" .exe)
    local log="$results/$name.txt"
    local started=$SECONDS status=0
    run_once() {
        status=0
        timeout 1200 "$wine" "$program" "${@:2}" -o "$(winepath -w "$log"),txt" \
            >"$results/$name.out" 2>&1 || status=$?
        settle_wine "$name"
    }
    run_once "$@"
    local stall=""
    if [ ! -e "$log" ]; then
        # Not even its results file was opened: Wine did not start the program.
        stall="it did not start (status $status): $(tail -n 3 "$results/$name.out" | tr '\n' ' ')"
    elif grep -aq 'Test function timed out' "$log" && [ "$(grep -ac '^FAIL' "$log")" -le 2 ]; then
        local left="no reader left behind"
        [ "$left_reader" = 1 ] && left="a reader left stuck"
        stall="$left: $(grep -a -m1 'Test function timed out' "$log")"
        mv "$log" "$results/$name.stalled.txt"
    fi
    if [ -n "$stall" ]; then
        wine_stalls+=("$name ($stall)")
        echo "$name: the test stood still under Wine ($stall); running it again"
        run_once "$@"
    fi
    local totals
    totals=$(grep -a '^Totals:' "$log" 2>/dev/null || true)
    local ok bad
    ok=$(sed -n 's/^Totals: \([0-9]*\) passed.*/\1/p' <<<"$totals")
    bad=$(sed -n 's/^Totals: [0-9]* passed, \([0-9]*\) failed.*/\1/p' <<<"$totals")
    if [ -z "$totals" ]; then
        fail "$name ended without its results (status $status): $(tail -n 3 "$results/$name.out" | tr '\n' ' ')"
        return
    fi
    passed=$((passed + ok))
    failed=$((failed + bad))
    [ "$bad" -eq 0 ] || failures+=("$name: $(grep -a '^FAIL' "$log" | head -n 5 | tr '\n' ' ')")
    echo "$name: $totals ($((SECONDS - started)) s)"
}

rm -rf "$WINEPREFIX"
"$wine" wineboot -i >/dev/null 2>&1
set_platform offscreen
for program in build-windows/bin/tst_*.exe; do
    [ "$(basename "$program")" = tst_road.exe ] && continue
    run_test_program "$program"
done

# The installer, silently, for this user alone.
profile="$WINEPREFIX/drive_c/users/$(id -un)/AppData"
installed="$profile/Local/Programs/VF Turn Entry"
shortcut="$profile/Roaming/Microsoft/Windows/Start Menu/Programs/VF Turn Entry.lnk"
timeout 300 "$wine" "dist/vfturn-$version-setup.exe" /S || true
settle_wine "the installer"
check "the installer put the program in place" test -x "$installed/vfturn.exe"
check "the installer put the reader beside it" test -x "$installed/vfturn-reader.exe"
check "the installer made a Start menu entry" test -e "$shortcut"

# A turn through the installed folder: its DLLs, its plugins, its reader, the real window
# system (the road test lives in the folder for as long as it runs).
set_platform ""
cp build-windows/bin/tst_road.exe "$installed/"
run_test_program "$installed/tst_road.exe" --installed "$(winepath -w "$installed")"
rm -f "$installed/tst_road.exe"

# The installed program itself starts and shows its main menu.
road_folder="$results/data"
mkdir -p "$road_folder"
# (Started from a subshell, so its end by wineserver -k below is not reported as a job killed.)
("$wine" "$installed/vfturn.exe" --data-dir "$(winepath -w "$road_folder")" >/dev/null 2>&1 &)
check "the installed program shows its main menu" \
    timeout 60 xdotool search --sync --name "Voidfire: Dominara" >/dev/null
import -window root "$results/installed-main-menu.png" 2>/dev/null || true
check "the installed program made its database" test -e "$road_folder/VF Turn Entry Data.sqlite"
wineserver -k || true

# The uninstaller, silently: the program goes, the player's data folder stays.
timeout 300 "$wine" "$installed/Uninstall.exe" /S || true
for _ in $(seq 60); do
    [ -e "$installed/vfturn.exe" ] || break
    sleep 1
done
settle_wine "the uninstaller"
check "the uninstaller removed the program and its folder" test ! -e "$installed"
check "the uninstaller removed the Start menu entry" test ! -e "$shortcut"
check "the uninstaller left the data folder" test -e "$road_folder/VF Turn Entry Data.sqlite"

for failure in "${failures[@]}"; do
    echo "FAILED: $failure"
done
for stall in "${wine_stalls[@]}"; do
    echo "Run again after it stood still under Wine: $stall"
done
echo "Windows build under Wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
