#!/usr/bin/env bash
# Polelink.dll under Wine, bound by name, sends to vfdsim through COM7, the
# port its connection file names: the display receives exactly the bytes.
# Usage: PolelinkClientTest.sh WINE CLIENT_EXE POLELINK_DLL VFDSIM
set -euo pipefail
wine=$1 client=$2 dll=$3 vfdsim=$4
source "$(dirname "$0")/../../../../scripts/wine-com-port.sh"
trap vfdsim_stop EXIT

fail() {
    echo "FAILED: $*"
    exit 1
}

vfdsim_start 7 "$vfdsim"
# The connection file the setup utility writes, in the working folder.
printf '[Polelink]\r\nPortName[1to8]=7\r\nBaudRate[9600][19200][38400][115200]=19200\r\n' \
    >"$VFDSIM_DIR/Polelink.ini"
status=0
(cd "$VFDSIM_DIR" && "$wine" "$client" "$dll" >client.out 2>client.err) || status=$?
tr -d '\r' <"$VFDSIM_DIR/client.out"
tr -d '\r' <"$VFDSIM_DIR/client.err" | sed 's/^/stderr: /'
[[ $status -eq 0 ]] || fail "the client exited with $status"
[[ $(tr -d '\r' <"$VFDSIM_DIR/client.out" | tail -n 1) == "polelink client: ok" ]] ||
    fail "the client did not report ok"

# Init's 1B 40, then every byte value once, in order.
expected="1B 40"
for ((i = 0; i < 256; ++i)); do
    expected+=$(printf ' %02X' "$i")
done
got=$(vfdsim_wait_for_bytes 258 5)
if [[ $got != "$expected" ]]; then
    echo "expected: $expected"
    echo "received: $got"
    fail "the display did not receive the bytes exactly"
fi
echo "the display received all 258 bytes exactly"
