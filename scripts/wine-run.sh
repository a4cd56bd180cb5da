#!/usr/bin/env bash
# Runs a test program under Wine (ctest's emulator). A windowed test gets one of the displays
# that scripts/test.sh started (ctest's resource "displays"); each display has a Wine prefix of
# its own: $NUMBROOK_DISPLAYS/<id> links to the prefix, <id>.display holds the display's name.
# With --print-env it only prints the display and the Wine prefix the program gets, for a
# test's native helpers.
set -euo pipefail
group="${CTEST_RESOURCE_GROUP_0_DISPLAYS:-}"
if [ -n "$group" ] && [ -n "${NUMBROOK_DISPLAYS:-}" ]; then
  id="${group#id:}"
  id="${id%%,*}"
  DISPLAY="$(cat "$NUMBROOK_DISPLAYS/$id.display")"
  export DISPLAY
  WINEPREFIX="$(readlink -f "$NUMBROOK_DISPLAYS/$id")"
  export WINEPREFIX
fi
if [ "${1:-}" = "--print-env" ]; then
  echo "${DISPLAY:-} ${WINEPREFIX:-}"
  exit 0
fi
# A windowed test starts with the pointer in a corner, not where the display's previous program
# left it.
park="$(dirname "${1:-.}")/pointer_park.exe"
if [ -n "$group" ] && [ -f "$park" ]; then
  wine "$park" </dev/null >/dev/null 2>&1 || true
fi
exec wine "$@"
