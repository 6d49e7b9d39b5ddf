#!/usr/bin/env bash
# Runs every test of a configured and built preset. Without a graphical
# display the whole run goes under one Xvfb server, so the GUI tests have a
# screen; they carry RUN_SERIAL so no two of them share it at once.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
args=(--preset "$preset" -j "$(nproc)")
if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1600x1000x24 -noreset" ctest "${args[@]}"
fi
exec ctest "${args[@]}"
