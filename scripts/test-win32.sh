#!/usr/bin/env bash
# The 32-bit Windows build's tests under Wine: scripts/test-wine.sh win32.
exec "$(dirname "$0")/test-wine.sh" win32 "$@"
