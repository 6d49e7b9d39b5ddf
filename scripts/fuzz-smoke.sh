#!/usr/bin/env bash
# CI's short fuzz run: builds the fuzz targets and runs each briefly on its
# seed corpus alone (5 s a target by default, about a minute in all). Any
# crash, leak, undefined behaviour or slow input fails it.
#   scripts/fuzz-smoke.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
scripts/deps.sh fuzz
cmake -S fuzz --preset fuzz >/dev/null
cmake --build build-fuzz -j 2
fuzz/run.sh build-fuzz "$seconds" seeds
