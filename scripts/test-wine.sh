#!/usr/bin/env bash
# Runs the tests of a built Windows preset (win32 or win64) under Wine.
#
# - One Wine prefix per build, build-<preset>/wineprefix (0.6 GB), made on
#   first use; Wine's debug output is off. The Wine is the one the build was
#   configured with (VFD_WINE): wine for win32, wine64 for win64.
# - COM5 to COM8 of the prefix are mapped (HKLM\Software\Wine\Ports) onto
#   symbolic links in build-<preset>/wine-ports/, which the end-to-end tests
#   point at vfdsim's pseudo-terminal (scripts/wine-com-port.sh). Ports below
#   COM3 are left alone: Wine maps those onto the machine's real ones.
# - One wineserver for the whole run, started before ctest: otherwise every
#   test program starts and stops a server of its own.
#
# Usage: test-wine.sh PRESET [ctest arguments...]
# The ctest output is kept in build-<preset>/ctest.log.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:?usage: test-wine.sh win32|win64 [ctest arguments...]}
shift
build=$PWD/build-$preset
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
ports=$build/wine-ports
first_com=5 last_com=8

if [[ ! -f $build/CMakeCache.txt ]]; then
    echo "test-wine: configure and build the $preset preset first" >&2
    exit 1
fi
wine=$(sed -n 's/^VFD_WINE:FILEPATH=//p' "$build/CMakeCache.txt")
if [[ -z $wine || ! -x $wine ]]; then
    echo "test-wine: $preset has no Wine (found '$wine'; scripts/deps.sh $preset)" >&2
    exit 1
fi
if ! grep -q '^VFD_WINE_TESTS:BOOL=ON' "$build/CMakeCache.txt"; then
    echo "test-wine: $preset is configured without its Wine tests (VFD_WINE_TESTS=OFF)" >&2
    exit 1
fi
# Debian's wine64 package keeps its wineserver beside the loader.
wineserver=$(dirname "$wine")/wineserver
[[ -x $wineserver ]] || wineserver=$(command -v wineserver) ||
    { echo "test-wine: no wineserver beside $wine" >&2; exit 1; }

# Wine without the half this build needs exits 0 without running anything,
# so the probe is a program of the build that prints its verdict.
probe=$(cd "$build/tests" && "$wine" ./driver_import_consumer.exe 2>/dev/null | tr -d '\r' || true)
if [[ $probe != "consumer ok" ]]; then
    echo "test-wine: $wine runs no program of $preset here" \
        "(the 32-bit build needs wine32:i386: scripts/deps.sh win32)" >&2
    exit 1
fi
"$wineserver" -w

mapped() {
    local com
    for ((com = first_com; com <= last_com; ++com)); do
        [[ $(readlink "$WINEPREFIX/dosdevices/com$com" 2>/dev/null) == "$ports/com$com" ]] || return 1
    done
}

mkdir -p "$ports"
for ((com = first_com; com <= last_com; ++com)); do
    [[ -L $ports/com$com ]] || ln -sfn /dev/null "$ports/com$com"
done
if ! mapped; then
    for ((com = first_com; com <= last_com; ++com)); do
        "$wine" reg add 'HKLM\Software\Wine\Ports' /v "COM$com" /t REG_SZ /d "$ports/com$com" /f >/dev/null
    done
    # Wine reads the mapping when its services start.
    "$wineserver" -w
fi

"$wineserver" -p >/dev/null 2>&1
trap '"$wineserver" -k 2>/dev/null || true' EXIT
"$wine" wineboot >/dev/null 2>&1
if ! mapped; then
    echo "test-wine: Wine did not map COM$first_com to COM$last_com onto $ports" >&2
    exit 1
fi

# Tests that skip leave read-only files in their temporary folders, named
# after the process id; Wine hands the same small ids out again in the next
# run, whose fixture then cannot clear the folder. Each run starts clean.
rm -rf "$WINEPREFIX"/drive_c/users/*/Temp/vfd_*

ctest --preset "$preset" -j "$(nproc)" "$@" 2>&1 | tee "$build/ctest.log"
