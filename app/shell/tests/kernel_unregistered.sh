#!/usr/bin/env bash
# Runs the unregistered-kernel test program in a Wine prefix of its own, made afresh for the
# run: Evalkern was never registered there, and the registration the other tests rely on stays
# untouched. The program gets the display that the test wrapper picked for this test.
# Usage: kernel_unregistered.sh <prefix folder> <wine-run.sh> <test program> [arguments...]
set -uo pipefail
prefix="$1"
runner="$2"
shift 2
read -r display _ <<<"$(bash "$runner" --print-env)"
if [ -n "$display" ]; then export DISPLAY="$display"; fi
export WINEPREFIX="$prefix" WINEDEBUG=-all
rm -rf "$WINEPREFIX"
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
# No HTML engine: the program's browser controls must not ask to install one.
wine reg add 'HKCU\Software\Wine\DllOverrides' /v mshtml /t REG_SZ /d '' /f >/dev/null 2>&1
wineserver -w
wine "$@"
rc=$?
wineserver -k >/dev/null 2>&1
rm -rf "$WINEPREFIX"
exit $rc
