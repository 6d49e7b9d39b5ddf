#!/usr/bin/env bash
# Runs every fuzz target of the build folder for a bounded time each, from
# seed corpora made here out of the fonts the Debian packages install.
#   fuzz/run.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=${1:?build folder}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
seeds=$build/seeds
"$here/make-seeds.sh" "$seeds"

status=0
for target in psf gunzip font_source glyph_range; do
    corpus=$build/corpus/$target
    mkdir -p "$corpus" "$build/crashes/$target"
    echo "== fuzz_$target for ${seconds}s"
    # Memory is bounded: no input may make the parsers take more.
    if ! "$build/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=1024 \
        -malloc_limit_mb=256 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$target/" "$corpus" "$seeds/$target" \
        >"$build/fuzz_$target.log" 2>&1; then
        echo "fuzz_$target found a fault: see $build/fuzz_$target.log and $build/crashes/$target" >&2
        status=1
    fi
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^#[0-9]+.*DONE' "$build/fuzz_$target.log" || true
done
exit $status
