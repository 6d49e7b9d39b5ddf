#!/usr/bin/env bash
# CI's short fuzz run: builds the fuzz targets and runs each briefly on its
# seed corpus alone (15 s a target by default, well under five minutes in
# all). Any crash, leak, undefined behaviour or slow input fails it.
#   scripts/fuzz-smoke.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}
scripts/deps.sh fuzz
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j 2
fuzz/run.sh build-fuzz "$seconds" seeds
