#!/usr/bin/env bash
# VF620.dll under Wine, bound by ordinal, sends to vfdsim through COM5:
# every call gives the expected result and the display receives exactly the
# bytes sent.
# Usage: OrdinalClientTest.sh WINE CLIENT_EXE VF620_DLL VFDSIM
set -euo pipefail
wine=$1 client=$2 dll=$3 vfdsim=$4
source "$(dirname "$0")/../../../scripts/wine-com-port.sh"
trap vfdsim_stop EXIT

vfdsim_start 5 "$vfdsim"
out=$VFDSIM_DIR/client.out
err=$VFDSIM_DIR/client.err
status=0
"$wine" "$client" "$dll" 5 >"$out" 2>"$err" || status=$?
tr -d '\r' <"$out" >"$out.lf"
tr -d '\r' <"$err" >"$err.lf"
cat "$out.lf"
sed 's/^/stderr: /' "$err.lf"

fail() {
    echo "FAILED: $*"
    exit 1
}
# Wine without its 32-bit part exits 0 and runs nothing: the program's own
# verdict must be there.
[[ $status -eq 0 ]] || fail "the client exited with $status"
[[ $(tail -n 1 "$out.lf") == "ordinal client: ok" ]] || fail "the client did not report ok"
grep -qx "VF620: Please select the file path first!" "$err.lf" ||
    fail "DownLoadFile's message is missing"
grep -qx "VF620: Please select file path first!" "$err.lf" ||
    fail "DownLoadFileSinglePage's message is missing"

# ClearDisplay, then every byte value once, in order.
expected="0C"
for ((i = 0; i < 256; ++i)); do
    expected+=$(printf ' %02X' "$i")
done
got=$(vfdsim_wait_for_bytes 257 5)
if [[ $got != "$expected" ]]; then
    echo "expected: $expected"
    echo "received: $got"
    fail "the display did not receive the bytes exactly"
fi
echo "the display received all 257 bytes exactly"
