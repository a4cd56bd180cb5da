#!/usr/bin/env bash
# Runs the unregistered-kernel test program in a Wine prefix of its own, made afresh for the
# run: Evalkern was never registered there, and the registration the other tests rely on stays
# untouched. The program gets the display that the test wrapper picked for this test.
# Usage: kernel_unregistered.sh <prefix folder> <wine-run.sh> <test program> [arguments...]
source "$(dirname "$0")/../../../scripts/common.sh"
set +e
prefix="$1"
runner="$2"
shift 2
read -r display _ <<<"$(bash "$runner" --print-env)"
if [ -n "$display" ]; then export DISPLAY="$display"; fi
export WINEPREFIX="$prefix" WINEDEBUG=-all
rm -rf "$WINEPREFIX"
make_prefix >/dev/null
wine "$@"
rc=$?
wineserver -k >/dev/null 2>&1
rm -rf "$WINEPREFIX"
exit $rc
