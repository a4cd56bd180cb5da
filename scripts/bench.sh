#!/usr/bin/env bash
# Builds everything and runs each benchmark program (bin/*bench*.exe) under Wine on a display.
# Figures are printed, not asserted.
source "$(dirname "$0")/common.sh"
install_packages
build_all
trap stop_all EXIT
start_wine
start_display
start_printing
register_kernel
cd "$BUILD/bin"
found=0
for exe in *bench*.exe; do
  [ -f "$exe" ] || continue
  found=1
  echo "== $exe"
  wine "./$exe"
done
[ "$found" = 1 ] || echo "no benchmark programs were built"
