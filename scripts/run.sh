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

# The editor's download, against the virtual display: 1 KiB in 6 frames.
echo "== vfdkit send, to vfdsim as COM1"
head -c 1024 "$work/sample.fnt" >"$work/small.fnt"
"$bin/vfdsim" --port 1 --port-file "$work/com1" --transcript "$work/t.jsonl" \
    --save-font "$work/received.fnt" >/dev/null &
sim=$!
trap 'kill $sim 2>/dev/null; rm -rf "$work"' EXIT
until [[ -s "$work/com1" ]]; do sleep 0.1; done
export "$(cat "$work/com1")"
"$bin/vfdkit" send "$work/small.fnt" --port 1
kill "$sim" && wait "$sim" || true
cmp "$work/small.fnt" "$work/received.fnt" && echo "vfdsim received the font unchanged"

# Display commands through the driver library, shown on the virtual screen.
echo "== vfdkit call, to vfdsim as COM2: its screen afterwards"
"$bin/vfdsim" --port 2 --port-file "$work/com2" --screen-text "$work/screen.txt" \
    --screen-png "$work/screen.png" >/dev/null &
sim=$!
until [[ -s "$work/com2" ]]; do sleep 0.1; done
export "$(cat "$work/com2")"
"$bin/vfdkit" call --port 2 DisplayStrAt "HELLO" 3 >/dev/null
"$bin/vfdkit" call --port 2 DisplayStrAt "from the driver" 4 >/dev/null
sleep 0.3
kill "$sim" && wait "$sim" || true
head -n 4 "$work/screen.txt"
