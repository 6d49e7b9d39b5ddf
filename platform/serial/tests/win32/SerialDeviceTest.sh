#!/usr/bin/env bash
# Runs the Windows serial backend's device tests under Wine on COM8, mapped
# onto vfdsim's pseudo-terminal.
# Usage: SerialDeviceTest.sh WINE TEST_EXE VFDSIM
set -euo pipefail
wine=$1 tests=$2 vfdsim=$3
source "$(dirname "$0")/../../../../scripts/wine-com-port.sh"
trap vfdsim_stop EXIT

vfdsim_start 8 "$vfdsim"
status=0
VFDKIT_TEST_COM=8 "$wine" "$tests" >"$VFDSIM_DIR/out" 2>&1 || status=$?
tr -d '\r' <"$VFDSIM_DIR/out" | tee "$VFDSIM_DIR/out.lf"
# Wine without its 32-bit part exits 0 and runs nothing.
grep -q '^\[  PASSED  \] [1-9][0-9]* tests\?\.$' "$VFDSIM_DIR/out.lf" || { echo "FAILED: no test passed"; exit 1; }
exit "$status"
