#!/usr/bin/env bash
# Runs a test program under Wine (ctest's emulator). With --print-env it only prints the display
# and the Wine prefix the tests use, for a test's native helpers.
set -euo pipefail
if [ "${1:-}" = "--print-env" ]; then
  echo "${DISPLAY:-} ${WINEPREFIX:-}"
  exit 0
fi
exec wine "$@"
