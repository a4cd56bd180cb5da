#!/usr/bin/env bash
# Builds everything and runs every test under Wine.
source "$(dirname "$0")/common.sh"
install_packages
build_all
trap stop_all EXIT
start_wine
start_display
start_printing
register_kernel
echo "== running tests"
cd "$BUILD"
ctest --output-on-failure -j "$JOBS" --timeout 600 "$@"
