#!/usr/bin/env bash
# `make run`: the main job of the suite on this machine.
#
# With a graphical display: vfdsim as COM1, its window showing the display
# live, beside the font editor, Typeloom, with a sample font to open; vfdsim
# stops when Typeloom ends. Without one: a
# headless demo of the same road through vfdkit: make a font, look at it,
# export it as C, send it to vfdsim and show what the display received.
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/bin
run=build/run
mkdir -p "$run"

sim=
# Stops vfdsim; a vfdsim that ended by itself with a failure, or crashed,
# fails the run rather than passing unnoticed.
stop_sim() {
    [[ -n "$sim" ]] || return 0
    local pid=$sim status=0
    sim=
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
    fi
    wait "$pid" || status=$?
    # 143: ended by the TERM sent above.
    if ((status != 0 && status != 143)); then
        echo "vfdsim failed (exit status $status)" >&2
        exit 1
    fi
}
trap stop_sim EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Starts vfdsim as COM<port> with its port file in build/run, checks that it
# lives and published its port, and exports VFDKIT_COM<port>. Further
# arguments go to vfdsim.
start_sim() {
    local port=$1
    shift
    local file="$run/com$port"
    rm -f "$file"
    "$bin/vfdsim" --port "$port" --port-file "$file" "$@" >/dev/null &
    sim=$!
    for _ in $(seq 100); do
        [[ -s "$file" ]] && break
        kill -0 "$sim" 2>/dev/null || { echo "vfdsim did not start" >&2; exit 1; }
        sleep 0.1
    done
    [[ -s "$file" ]] || { echo "vfdsim published no port" >&2; exit 1; }
    export "$(cat "$file")"
}

# vfdsim as COM1 taking a font download, with its files in build/run;
# further arguments go to vfdsim.
start_font_sim() {
    local extra=("$@")
    # The screen as a picture, where this vfdsim draws one.
    if "$bin/vfdsim" --help 2>&1 | grep -q -- --screen-png; then
        extra+=(--screen-png "$run/screen.png")
    fi
    rm -f "$run/transcript.jsonl" "$run/received.fnt"
    start_sim 1 --transcript "$run/transcript.jsonl" --save-font "$run/received.fnt" "${extra[@]}"
}

"$bin/vfdkit" sample-font "$run/sample.fnt" --width 8 --height 16 --glyphs 512 >/dev/null

if [[ -n "${DISPLAY:-}" ]]; then
    # The display live beside the editor, where this vfdsim has its window.
    if "$bin/vfdsim" --help 2>&1 | grep -q -- --window; then
        start_font_sim --window
    else
        start_font_sim
    fi
    echo "vfdsim is COM1 ($VFDKIT_COM1); its transcript: $run/transcript.jsonl"
    echo "A font to open: $run/sample.fnt (8 x 16, choose 8 and 16 and Apply)"
    echo "Save it, then File > Download... sends it to vfdsim on COM1."
    "$bin/Typeloom"
    if [[ -s "$run/received.fnt" ]]; then
        echo "vfdsim received a font of $(stat -c %s "$run/received.fnt") bytes: $run/received.fnt"
    fi
    exit 0
fi

echo "No graphical display: the editor's road through vfdkit instead."
echo
echo "== vfdkit sample-font: 512 glyphs of 8 x 16, ASCII from a built-in 5 x 7 font"
"$bin/vfdkit" info "$run/sample.fnt" --width 8 --height 16
echo
echo "== the same bytes under another geometry (16 x 16)"
"$bin/vfdkit" info "$run/sample.fnt" --width 16 --height 16
echo
echo "== vfdkit export: the font as C source, one record a glyph"
"$bin/vfdkit" export "$run/sample.fnt" "$run/sample.c" --width 8 --height 16
# The record of 'A' (0x41): line 1 of record 65.
sed -n "$((65 * 4 + 1)),$((65 * 4 + 2))p" "$run/sample.c"
echo
echo "== vfdkit send: the editor's download of the ASCII half (128 glyphs), to vfdsim as COM1"
"$bin/vfdkit" sample-font "$run/ascii.fnt" --width 8 --height 16 --glyphs 128
start_font_sim
"$bin/vfdkit" send "$run/ascii.fnt" --port 1 --width 8 --height 16 2>&1
# vfdsim reports the end of the download only after it has saved the font.
for _ in $(seq 50); do
    grep -q '"event":"download-end"' "$run/transcript.jsonl" 2>/dev/null && break
    sleep 0.1
done
stop_sim
echo
echo "== what the virtual display received"
frames=$(grep -c '"event":"frame"' "$run/transcript.jsonl" || true)
replies=$(grep -c '"event":"reply"' "$run/transcript.jsonl" || true)
echo "frames: $frames, replies: $replies"
grep '"event":"download-end"' "$run/transcript.jsonl" | sed 's/^/download-end: /' || true
if cmp -s "$run/ascii.fnt" "$run/received.fnt"; then
    echo "vfdsim received the font unchanged: $(stat -c %s "$run/received.fnt") bytes"
else
    echo "vfdsim received something else than the font" >&2
    exit 1
fi
echo
echo "== vfdkit call: display commands through the driver library, on vfdsim's screen"
rm -f "$run/screen.txt"
start_sim 2 --screen-text "$run/screen.txt" --screen-png "$run/screen.png"
"$bin/vfdkit" call --port 2 DisplayStrAt "HELLO" 3 >/dev/null
"$bin/vfdkit" call --port 2 DisplayStrAt "from the driver" 4 >/dev/null
# vfdsim redraws its screen files once the line has been idle a moment.
for _ in $(seq 50); do
    grep -q "from the driver" "$run/screen.txt" 2>/dev/null && break
    sleep 0.1
done
stop_sim
head -n 4 "$run/screen.txt"
echo "its screen as a picture: $run/screen.png"
