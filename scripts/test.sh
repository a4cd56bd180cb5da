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
# Windowed tests run side by side, one to a display: about one display for every two processors.
displays="${DISPLAYS:-$(( JOBS / 2 > 4 ? 4 : (JOBS / 2 < 1 ? 1 : JOBS / 2) ))}"
start_test_displays "$displays"
echo "== running tests"
cd "$BUILD"
# Every test program runs its tests in a new order each time: no test may lean on another.
export GTEST_SHUFFLE="${GTEST_SHUFFLE:-1}"
ctest --output-on-failure -j "$JOBS" --timeout 600 --resource-spec-file "$BUILD/ctest-resources.json" "$@"
