#!/usr/bin/env bash
# vfdkit.exe under Wine sends a font to vfdsim through COM6 with the font
# editor's download protocol: raw line settings, read time-outs, purges and
# acknowledged frames over the Windows serial backend. The display saves
# exactly the file, and the tool says so.
# Usage: SendTest.sh WINE VFDKIT_EXE VFDSIM
set -euo pipefail
wine=$1 vfdkit=$2 vfdsim=$3
source "$(dirname "$0")/../../../scripts/wine-com-port.sh"
trap vfdsim_stop EXIT

vfdsim_start 6 "$vfdsim"
font=$VFDSIM_DIR/font.fnt
# 600 bytes: a header and three data frames, half a second each.
head -c 600 /dev/urandom >"$font"
# The path as a Windows program gets it from a file dialog.
windows_font=$("$wine" winepath -w "$font" | tr -d '\r')

status=0
"$wine" "$vfdkit" send "$windows_font" --port 6 --area 1 >"$VFDSIM_DIR/out" 2>"$VFDSIM_DIR/err" ||
    status=$?
out=$(tr -d '\r' <"$VFDSIM_DIR/out")
err=$(tr -d '\r' <"$VFDSIM_DIR/err")
echo "vfdkit send: exit $status, stdout: $out"
echo "stderr: $err"
[[ $status -eq 0 ]] || fail "vfdkit send exited with $status"
[[ $out == "Download OK!" ]] || fail "vfdkit send did not report \"Download OK!\""

end=$(vfdsim_wait_for_event download-end 5)
[[ $end == *'"result":"complete"'* ]] || fail "vfdsim saw no complete download: $end"
cmp "$font" "$VFDSIM_DIR/received.fnt" || fail "the display saved other bytes than the file holds"
echo "the display saved the 600-byte font unchanged"
