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
run_client "ordinal client: ok" "$wine" "$client" "$dll" 5
grep -qx "VF620: Please select the file path first!" "$VFDSIM_DIR/client.err" ||
    fail "DownLoadFile's message is missing"
grep -qx "VF620: Please select file path first!" "$VFDSIM_DIR/client.err" ||
    fail "DownLoadFileSinglePage's message is missing"
# ClearDisplay, then every byte value once, in order.
expect_display_bytes 0C ALL
