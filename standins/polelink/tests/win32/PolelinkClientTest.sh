#!/usr/bin/env bash
# Polelink.dll under Wine, bound by name, sends to vfdsim through COM7, the
# port its connection file names: the display receives exactly the bytes.
# Usage: PolelinkClientTest.sh WINE CLIENT_EXE POLELINK_DLL VFDSIM
set -euo pipefail
wine=$1 client=$2 dll=$3 vfdsim=$4
source "$(dirname "$0")/../../../../scripts/wine-com-port.sh"
trap vfdsim_stop EXIT

vfdsim_start 7 "$vfdsim"
# The connection file the setup utility writes, in the working folder.
printf '[Polelink]\r\nPortName[1to8]=7\r\nBaudRate[9600][19200][38400][115200]=19200\r\n' \
    >"$VFDSIM_DIR/Polelink.ini"
run_client "polelink client: ok" "$wine" "$client" "$dll"
# Init's 1B 40, then every byte value once, in order.
expect_display_bytes 1B 40 ALL
