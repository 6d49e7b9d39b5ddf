#!/usr/bin/env bash
# Builds both Windows presets and runs what this machine can run of them:
#
# - the 32-bit tests under Wine where the kernel runs 32-bit programs
#   (scripts/probe-i386.sh; VFDKIT_PROBE_I386=no takes the other road);
# - the 64-bit tests under wine64, always;
# - the static checks of both builds' DLLs and archives, always: they read
#   files and run nothing built.
#
# The end-to-end tests (VF620.dll by ordinal, Polelink.dll, vfdkit.exe send,
# the serial device, all against the native vfdsim) are part of each Wine
# run. Ends with one line for each of the three; fails when any failed or a
# run executed nothing.
#
# Usage: test-windows.sh [cmake --build arguments, e.g. -j 2]
# VFDKIT_WINE_TESTS=REGEX runs only the Wine tests whose names match (the
# static checks always run).
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

scripts/build-windows.sh "$@" || exit 1
verdict=$(cat build-win32/i386-probe)

failed=0
summary=()

# run_count LOG: how many tests a ctest run ran, from its last words.
run_count() {
    sed -n 's/.*tests passed, 0 tests failed out of \([0-9][0-9]*\)$/\1/p' "$1" | tail -n 1
}

# static_passed LOG PRESET: whether the static checks ran and passed in it.
static_passed() {
    local test
    for test in driver_dll_exports polelink_dll_exports windows_archive; do
        grep -Eq "Test +#[0-9]+: $test \.+ +Passed" "$1" || {
            echo "test-windows: $2: $test did not pass" >&2
            return 1
        }
    done
}

# wine_run PRESET TITLE: the preset's whole suite under Wine.
wine_run() {
    local log=build-$1/ctest.log count='' wine
    rm -f "$log"
    wine=$(basename "$(sed -n 's/^VFD_WINE:FILEPATH=//p' "build-$1/CMakeCache.txt")")
    if scripts/test-wine.sh "$1" ${VFDKIT_WINE_TESTS:+-R "$VFDKIT_WINE_TESTS"}; then
        count=$(run_count "$log")
    fi
    if [[ -n $count ]] && ((count > 0)); then
        summary+=("$2 tests: $count passed under $wine, the end-to-end tests against vfdsim among them")
    else
        summary+=("$2 tests: FAILED under $wine (build-$1/ctest.log)")
        failed=1
    fi
    [[ -f $log ]] && static_passed "$log" "$1" || static_failed+=("$1")
}

static_failed=()
if [[ $verdict == yes ]]; then
    wine_run win32 "32-bit Windows"
else
    summary+=("32-bit Windows tests: skipped, this kernel runs no 32-bit programs (${verdict#no: })")
    log=build-win32/ctest.log
    ctest --preset win32 -L static 2>&1 | tee "$log"
    static_passed "$log" win32 || static_failed+=(win32)
fi
wine_run win64 "64-bit Windows"

if ((${#static_failed[@]})); then
    summary+=("Static checks of VF620.dll, Polelink.dll and the archive: FAILED in ${static_failed[*]}")
    failed=1
else
    summary+=("Static checks of VF620.dll, Polelink.dll and the archive: passed, 32-bit and 64-bit")
fi
echo
printf '%s\n' "${summary[@]}"
exit $failed
