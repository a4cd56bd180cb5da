# Shared set-up for scripts/run.sh, scripts/test.sh and scripts/bench.sh: packages, build,
# a private Wine prefix, and a virtual X display when none is there. Sourced, not run.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${NUMBROOK_BUILD:-$ROOT/build}"
JOBS="${JOBS:-$(nproc)}"
PACKAGES=(cmake make mingw-w64 mingw-w64-tools libwine-dev wine wine64 fonts-wine xvfb xauth googletest xdotool
          cups printer-driver-cups-pdf poppler-utils x11-apps imagemagick)

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "== installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

build_all() {
  echo "== building in $BUILD"
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  if ! cmake --build "$BUILD" -j "$JOBS" >"$BUILD/build.log" 2>&1; then
    grep -E -B2 -A6 "error|Error" "$BUILD/build.log" | head -n 120 >&2
    echo "build failed; the whole log is $BUILD/build.log" >&2
    exit 1
  fi
}

# Wine: a private prefix inside the build folder, quiet, code page 1252.
start_wine() {
  export WINEPREFIX="${WINEPREFIX_OVERRIDE:-$BUILD/wineprefix}"
  export WINEDEBUG=-all
  unset LC_ALL; export LANG=en_US.UTF-8
  if [ "${FRESH_PREFIX:-1}" = 1 ]; then rm -rf "$WINEPREFIX"; fi
  make_prefix
}

# Makes the Wine prefix $WINEPREFIX unless it is there, and gives it Wine's own fonts. Every
# prefix of the scripts and tests is made here.
make_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    echo "== creating Wine prefix $WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
    disable_html_engine
    wineserver -w || true
  fi
  install_wine_fonts
}

# A fresh prefix enumerates none of the fonts of Wine's fonts package: "Marlett" and "Tahoma"
# would be drawn with a substitute face, and the symbol glyphs (submenu arrows, close buttons)
# would show as letters. Copied into the prefix's Fonts folder they are real fonts for every
# program of the prefix, from the next start of its Wine server.
install_wine_fonts() {
  local dest="$WINEPREFIX/drive_c/windows/Fonts" font
  mkdir -p "$dest"
  while read -r font; do
    [ -f "$dest/$(basename "$font")" ] || cp "$font" "$dest/"
  done < <(dpkg -L fonts-wine | grep -i '\.ttf$')
}

# There is no HTML engine here: the browser control of the panels and the tip dialog must not
# go looking for one (that would ask to install it) whenever it is created.
disable_html_engine() {
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v mshtml /t REG_SZ /d '' /f >/dev/null 2>&1 || true
}

# A virtual display unless one is given. Only a display started here is stopped here.
XVFB_PIDS=()
start_display() {
  if [ -n "${DISPLAY:-}" ]; then
    local d="${DISPLAY#*:}"; d="${d%%.*}"
    if [ -e "/tmp/.X11-unix/X$d" ]; then return; fi
  fi
  start_xvfb
  export DISPLAY="$XVFB_DISPLAY"
  echo "== Xvfb on $DISPLAY"
}

# Starts an Xvfb on the first free display number and sets XVFB_DISPLAY.
start_xvfb() {
  local n
  for n in $(seq 91 299); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      XVFB_PIDS+=("$!")
      for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      XVFB_DISPLAY=":$n"
      return
    fi
  done
  echo "no free display number" >&2; exit 1
}

# Keeps the prefix's server, services and desktop running from now until stop_all: programs that
# start together in a cold prefix can hang at their exit.
warm_wine() {
  wineserver -p </dev/null >/dev/null 2>&1 || true  # already running: it is warm
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# Keeps the prefix's desktop open until stop_all. Wine closes a desktop a second after its last
# program ends; a program starting while it closes gets no display driver and can make no window.
keep_desktop() {
  if [ -f "$BUILD/bin/desktop_keeper.exe" ]; then
    setsid wine "$BUILD/bin/desktop_keeper.exe" </dev/null >/dev/null 2>&1 &
  fi
}

# Printing: the PDF queue NumbrookPDF of a CUPS scheduler, writing into $BUILD/printed. Wine
# lists the queues at each process start, so this runs before the tests. Another run may share
# the scheduler and the queue (and point the queue at its own folder): the tests find their jobs
# by title. Only a scheduler started here is stopped here.
CUPSD_PID=""
start_printing() {
  mkdir -p /run/cups "$BUILD/printed"
  chmod 0777 "$BUILD/printed"
  printf 'Out %s\nAnonDirName %s\n' "$BUILD/printed" "$BUILD/printed" > /etc/cups/cups-pdf-NumbrookPDF.conf
  if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    setsid /usr/sbin/cupsd -f </dev/null >/dev/null 2>&1 &
    CUPSD_PID=$!
    for _ in $(seq 1 100); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
  fi
  lpadmin -p NumbrookPDF -v cups-pdf:/NumbrookPDF -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd -E
  lpadmin -d NumbrookPDF
  echo "== printing to NumbrookPDF, files in $BUILD/printed"
}

stop_all() {
  local p
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
  for p in "${EXTRA_PREFIXES[@]}"; do WINEPREFIX="$p" wineserver -k >/dev/null 2>&1 || true; done
  for p in "${XVFB_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  if [ -n "$CUPSD_PID" ]; then stop_scheduler "$CUPSD_PID"; fi
}

# Stops the print scheduler started here and waits until it is gone: a run that starts right
# after this one must not find it still answering while it shuts down, and then lose it.
stop_scheduler() {
  local pid="$1" i
  kill "$pid" 2>/dev/null || return 0
  wait "$pid" 2>/dev/null || true
  for i in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
}

register_kernel() {
  if [ -f "$BUILD/bin/Evalkern.dll" ]; then
    echo "== registering Evalkern"
    wine regsvr32 /s "$(winepath -w "$BUILD/bin/Evalkern.dll")"
  fi
}

# Displays for windowed tests, $1 of them (at least one): the current display with the current
# prefix, then more virtual displays, each with a Wine prefix of its own made like the first
# (warm, kernel registered). ctest hands them out as the resource "displays" of the resource file
# $BUILD/displays.json; scripts/wine-run.sh finds a display's name and prefix in $NUMBROOK_DISPLAYS.
EXTRA_PREFIXES=()
start_test_displays() {
  local count="$1" i dir="$BUILD/displays"
  rm -rf "$dir"; mkdir -p "$dir"
  printf '%s' "$DISPLAY" > "$dir/d1.display"
  ln -s "$WINEPREFIX" "$dir/d1"
  local json='{"id":"d1","slots":1}'
  local pids=()
  for i in $(seq 2 "$count"); do
    start_xvfb
    local prefix="$BUILD/wineprefix-d$i"
    EXTRA_PREFIXES+=("$prefix")
    printf '%s' "$XVFB_DISPLAY" > "$dir/d$i.display"
    ln -s "$prefix" "$dir/d$i"
    json="$json,{\"id\":\"d$i\",\"slots\":1}"
    ( export DISPLAY="$XVFB_DISPLAY" WINEPREFIX="$prefix"
      if [ "${FRESH_PREFIX:-1}" = 1 ]; then rm -rf "$WINEPREFIX"; fi
      make_prefix >/dev/null
      warm_wine
      keep_desktop
      register_kernel >/dev/null ) &
    pids+=("$!")
  done
  for i in "${pids[@]}"; do wait "$i"; done
  printf '{"version":{"major":1,"minor":0},"local":[{"displays":[%s]}]}\n' "$json" > "$BUILD/displays.json"
  export NUMBROOK_DISPLAYS="$dir"
  echo "== $count display(s) for windowed tests"
}
