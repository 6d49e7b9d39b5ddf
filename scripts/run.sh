#!/usr/bin/env bash
# `make run`: the main job of the suite on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/bin

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A sample font of 512 glyphs of 16 x 16: two pages.
head -c $((512 * 32)) /dev/urandom >"$work/sample.fnt"
echo "== vfdkit info (16 x 16)"
"$bin/vfdkit" info "$work/sample.fnt" --width 16 --height 16
echo "== vfdkit info (8 x 8): the same bytes under another geometry"
"$bin/vfdkit" info "$work/sample.fnt" --width 8 --height 8
