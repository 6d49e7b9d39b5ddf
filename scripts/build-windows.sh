#!/usr/bin/env bash
# Configures and builds both Windows presets, win32 and win64. The 32-bit
# build's Wine tests are registered only where this kernel runs 32-bit
# programs (scripts/probe-i386.sh); elsewhere it is built, and its static
# checks (export tables, imports, archive) are all it can run.
#
# Usage: build-windows.sh [cmake --build arguments...]
# Leaves the probe's verdict in build-win32/i386-probe.
set -euo pipefail
cd "$(dirname "$0")/.."

i386=0
verdict=$(scripts/probe-i386.sh) || i386=$?
if ((i386 == 2)); then
    exit 1
fi
wine32=ON
((i386 == 0)) || wine32=OFF

cmake --preset win32 -DVFD_WINE_TESTS=$wine32 >/dev/null
cmake --preset win64 -DVFD_WINE_TESTS=ON >/dev/null
echo "$verdict" >build-win32/i386-probe
cmake --build --preset win32 "$@"
cmake --build --preset win64 "$@"
