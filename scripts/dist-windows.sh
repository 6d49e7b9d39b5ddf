#!/usr/bin/env bash
# The release archives, dist/vfdkit-<version>-windows-x86.zip and -x64.zip:
# builds both Windows presets (each build writes its archive), runs their
# static checks (the DLLs' export tables and imports, the archive against
# the build's files) and copies the archives that passed into dist/.
#
# Usage: dist-windows.sh [cmake --build arguments, e.g. -j 2]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-windows.sh "$@"
mkdir -p dist
for preset in win32 win64; do
    ctest --preset "$preset" -L static --output-on-failure >/dev/null ||
        { echo "dist-windows: the static checks of $preset failed" >&2; exit 1; }
    for archive in "build-$preset"/dist/vfdkit-*-windows-*.zip; do
        cp "$archive" dist/
        echo "dist/$(basename "$archive")"
    done
done
