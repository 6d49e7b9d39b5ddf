#!/usr/bin/env bash
# Runs every fuzz target of the build folder for a bounded time each, from
# seed corpora made here out of the fonts the Debian packages install.
#   fuzz/run.sh BUILD_DIR [SECONDS] [seeds]
# With "seeds" the corpus is the seeds alone and nothing new is kept (CI).
set -euo pipefail
build=${1:?build folder}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
mode=${3:-grow}
seeds=$build/seeds
"$here/make-seeds.sh" "$seeds"

status=0
for target in psf gunzip font_source glyph_range command_decoder cli_arguments \
    glyph_text font_file private_profile download_replies download_peer byte_router telnet; do
    corpus=$build/corpus/$target
    [ "$mode" = seeds ] && corpus=$(mktemp -d)
    mkdir -p "$corpus" "$build/crashes/$target" "$seeds/$target"
    echo "== fuzz_$target for ${seconds}s"
    # Memory and time are bounded: no input may make the parsers take more.
    if ! "$build/fuzz_$target" -max_total_time="$seconds" -rss_limit_mb=1024 \
        -malloc_limit_mb=256 -timeout=2 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$target/" "$corpus" "$seeds/$target" \
        >"$build/fuzz_$target.log" 2>&1; then
        echo "fuzz_$target found a fault: see $build/fuzz_$target.log" >&2
        grep -E '^(SUMMARY|==[0-9]+==ERROR)|Test unit written to' "$build/fuzz_$target.log" >&2 || true
        echo "keep the reproducer in fuzz/reproducers/$target/ (docs/reliability.md)" >&2
        status=1
    fi
    # Executions, and coverage (cov: edges reached) from the last status line.
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$build/fuzz_$target.log" || true
    grep -E '^#[0-9]+.*(DONE|INITED)' "$build/fuzz_$target.log" | tail -1 || true
    [ "$mode" = seeds ] && rm -rf "$corpus"
done
exit $status
