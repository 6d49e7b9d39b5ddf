#!/usr/bin/env bash
# Runs every benchmark of the default build; the figures go into
# docs/performance.md by hand, with the machine they were taken on.
set -euo pipefail
cd "$(dirname "$0")/.."
for b in build/bench/*; do
    [[ -x "$b" ]] || continue
    echo "== $(basename "$b")"
    "$b" --benchmark_min_time=0.2
done
