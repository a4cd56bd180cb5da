#!/usr/bin/env bash
# Builds Numbrook and starts it under Wine with the given arguments, in a Wine prefix of its own
# that is kept between runs (build/runprefix: settings and worksheet stay). With a display the
# program runs until it is closed. Without one it runs on a virtual display: once its window
# shows, a screenshot is written to build/screenshot.png (or $SCREENSHOT) and the program is
# stopped.
source "$(dirname "$0")/common.sh"
install_packages
build_all

export WINEPREFIX="${NUMBROOK_RUN_PREFIX:-$BUILD/runprefix}"
export WINEDEBUG=-all
unset LC_ALL; export LANG=en_US.UTF-8
make_prefix

# The display comes first: Wine's desktop process starts with the first program and keeps the
# display it found.
HEADLESS=0
if [ -z "${DISPLAY:-}" ] || [ ! -e "/tmp/.X11-unix/X${DISPLAY#*:}" ]; then
  HEADLESS=1
  wineserver -k >/dev/null 2>&1 || true
  start_xvfb
  export DISPLAY="$XVFB_DISPLAY"
  trap 'stop_all' EXIT
fi
register_kernel

cd "$BUILD/bin"
if [ "$HEADLESS" = 0 ]; then
  exec wine Numbrook.exe "$@"
fi

SHOT="${SCREENSHOT:-$BUILD/screenshot.png}"
wine Numbrook.exe "$@" &
APP=$!
echo "== waiting for the Numbrook window on $DISPLAY"
WIN=""
for _ in $(seq 1 300); do
  WIN="$(xdotool search --onlyvisible --name 'Numbrook' 2>/dev/null | head -n1 || true)"
  [ -n "$WIN" ] && break
  kill -0 "$APP" 2>/dev/null || break
  sleep 0.2
done
if [ -n "$WIN" ]; then
  sleep 2  # the panes calculate and paint
  xwd -root -silent | convert xwd:- "$SHOT"
  echo "== screenshot: $SHOT"
else
  echo "no Numbrook window showed (started hidden, or it ended)" >&2
fi
wineserver -k >/dev/null 2>&1 || true
wait "$APP" 2>/dev/null || true
