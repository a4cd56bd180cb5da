#!/usr/bin/env bash
# Runs a test program under Wine. A test that needs a display has been given one of the displays by
# ctest (CTEST_RESOURCE_GROUP_0_DISPLAYS="id:N,slots:1"); display N has its own X server and its own
# Wine prefix, written by scripts/test.sh into displays.env beside the resource file.
set -euo pipefail
group="${CTEST_RESOURCE_GROUP_0_DISPLAYS:-}"
if [ -n "$group" ] && [ -n "${NUMBROOK_DISPLAYS_ENV:-}" ] && [ -f "$NUMBROOK_DISPLAYS_ENV" ]; then
  id="${group#id:}"; id="${id%%,*}"
  line="$(grep "^$id " "$NUMBROOK_DISPLAYS_ENV" || true)"
  if [ -n "$line" ]; then
    read -r _ d p <<<"$line"
    export DISPLAY="$d" WINEPREFIX="$p"
  fi
fi
# With --print-env only the display and prefix are printed (for a test's native helpers).
if [ "${1:-}" = "--print-env" ]; then
  echo "${DISPLAY:-} ${WINEPREFIX:-}"
  exit 0
fi
exec wine "$@"
