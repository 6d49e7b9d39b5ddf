#!/usr/bin/env bash
# vfdkit.exe under Wine reaches vfdsim across TCP with the Telnet COM port
# control option (RFC 2217), through Winsock: its line settings go to the
# display's end (which reports the rate), and a font full of 0xFF bytes
# arrives exactly, escaped on the way and unescaped at the other end.
# Usage: NetworkSendTest.sh WINE VFDKIT_EXE VFDSIM
set -euo pipefail
wine=$1 vfdkit=$2 vfdsim=$3
source "$(dirname "$0")/../../../scripts/wine-com-port.sh"
trap vfdsim_stop EXIT

VFDSIM_DIR=$(mktemp -d)
"$vfdsim" --port 7 --port-file "$VFDSIM_DIR/port" --transcript "$VFDSIM_DIR/transcript.jsonl" \
    --save-font "$VFDSIM_DIR/received.fnt" --listen 127.0.0.1:0 --rfc2217 >"$VFDSIM_DIR/stdout" 2>&1 &
VFDSIM_PID=$!
for ((i = 0; i < 100; ++i)); do
    setting=$(cat "$VFDSIM_DIR/port" 2>/dev/null || true)
    [[ -n $setting ]] && break
    sleep 0.1
done
[[ $setting == VFDKIT_COM7=rfc2217://127.0.0.1:* ]] || fail "vfdsim did not publish its TCP port: $setting"
export "$setting"

font=$VFDSIM_DIR/font.fnt
# 400 bytes, every other one 0xFF: a header and two data frames.
for ((i = 0; i < 200; ++i)); do printf '\xff\x%02x' $((i % 256)); done >"$font"
windows_font=$("$wine" winepath -w "$font" | tr -d '\r')

status=0
"$wine" "$vfdkit" send "$windows_font" --port 7 >"$VFDSIM_DIR/out" 2>"$VFDSIM_DIR/err" || status=$?
out=$(tr -d '\r' <"$VFDSIM_DIR/out")
echo "vfdkit send over rfc2217: exit $status, stdout: $out"
[[ $status -eq 0 ]] || fail "vfdkit send exited with $status: $(tr -d '\r' <"$VFDSIM_DIR/err")"
[[ $out == "Download OK!" ]] || fail "vfdkit send did not report \"Download OK!\""
end=$(vfdsim_wait_for_event download-end 5)
[[ $end == *'"result":"complete"'* ]] || fail "vfdsim saw no complete download: $end"
cmp "$font" "$VFDSIM_DIR/received.fnt" || fail "the display saved other bytes than the file holds"
rate=$(vfdsim_wait_for_event line-rate 1)
[[ $rate == *'"rate":9600'* ]] || fail "the rate did not reach the display's end: $rate"
echo "the 400-byte font arrived unchanged at 9600 baud over RFC 2217"
