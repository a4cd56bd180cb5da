#!/usr/bin/env bash
# Builds everything and runs every test under Wine.
source "$(dirname "$0")/common.sh"
install_packages
build_all
trap stop_all EXIT
start_wine
start_display
warm_wine
keep_desktop
start_printing
register_kernel
# Windowed tests run side by side, each on a display of its own.
DISPLAY_COUNT="${DISPLAYS:-$(( JOBS < 4 ? JOBS : 4 ))}"
start_test_displays "$DISPLAY_COUNT"
echo "== running tests"
cd "$BUILD"
# Every test program runs its tests in a new order each time: no test may lean on another.
export GTEST_SHUFFLE="${GTEST_SHUFFLE:-1}"
ctest --output-on-failure -j "$JOBS" --timeout 600 "$@"
