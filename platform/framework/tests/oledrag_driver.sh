#!/usr/bin/env bash
# Runs the drag test program and plays the pointer gestures it asks for: each request file in
# the folder holds xdotool's arguments; the file is removed once they have been played.
dir="$1"
shift
# xdotool works on the display the program gets (the test wrapper picks one per test).
if [ "$(basename "$1")" = wine-run.sh ]; then
  read -r DISPLAY _ <<<"$("$1" --print-env)"
  export DISPLAY
fi
mkdir -p "$dir"
rm -f "$dir"/*.req "$dir"/*.tmp
(
  while :; do
    for f in "$dir"/*.req; do
      [ -e "$f" ] || continue
      # shellcheck disable=SC2046
      xdotool $(cat "$f") >/dev/null 2>&1
      rm -f "$f"
    done
    sleep 0.05
  done
) &
player=$!
"$@"
rc=$?
kill "$player" 2>/dev/null
wait "$player" 2>/dev/null
exit $rc
