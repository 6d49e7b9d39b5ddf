#!/usr/bin/env bash
# Runs the tests of the built win32 preset under Wine.
#
# - One Wine prefix, build-win32/wineprefix (32-bit, 0.6 GB), made on first
#   use; Wine's debug output is off.
# - COM5 to COM8 of the prefix are mapped (HKLM\Software\Wine\Ports) onto
#   symbolic links in build-win32/wine-ports/, which the end-to-end tests
#   point at vfdsim's pseudo-terminal (scripts/wine-com-port.sh). Ports below
#   COM3 are left alone: Wine maps those onto the machine's real ones.
# - One wineserver for the whole run, started before ctest: otherwise every
#   test program starts and stops a server of its own.
#
# Extra arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$PWD/build-win32
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
ports=$build/wine-ports
first_com=5 last_com=8

if [[ ! -d $build ]]; then
    echo "test-win32: configure and build the win32 preset first" >&2
    exit 1
fi
command -v wine >/dev/null || { echo "test-win32: wine is missing (scripts/deps.sh win32)" >&2; exit 1; }

# Wine with only its 64-bit half runs no 32-bit program yet exits 0.
probe=$(wine cmd /c echo wine-runs 2>/dev/null | tr -d '\r' || true)
if [[ $probe != wine-runs ]]; then
    echo "test-win32: Wine cannot run Windows programs here (is wine32:i386 installed?)" >&2
    exit 1
fi
wineserver -w

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
        wine reg add 'HKLM\Software\Wine\Ports' /v "COM$com" /t REG_SZ /d "$ports/com$com" /f >/dev/null
    done
    # Wine reads the mapping when its services start.
    wineserver -w
fi

wineserver -p >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
wine wineboot >/dev/null 2>&1
if ! mapped; then
    echo "test-win32: Wine did not map COM$first_com to COM$last_com onto $ports" >&2
    exit 1
fi

ctest --preset win32 -j "$(nproc)" "$@"
