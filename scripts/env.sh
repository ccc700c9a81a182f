# Sourced by the other scripts: where things live and how Wine is started.
VEXO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
VEXO_WIN32_BUILD="$VEXO_ROOT/build/win32"
VEXO_NATIVE_BUILD="$VEXO_ROOT/build/native"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX="${WINEPREFIX:-$VEXO_ROOT/build/wineprefix}"

# Starts Xvfb on a free display when there is no display, and exports DISPLAY.
vexo_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return
  fi
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  VEXO_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  echo "could not start Xvfb on $DISPLAY" >&2
  return 1
}

vexo_stop_display() {
  if [ -n "${VEXO_XVFB_PID:-}" ]; then kill "$VEXO_XVFB_PID" 2>/dev/null || true; fi
}

# Makes the Wine prefix once. Every program of the prefix runs inside one virtual desktop:
# without a window manager, each hide of a top-level window would block for two seconds.
vexo_ensure_prefix() {
  if [ ! -f "$WINEPREFIX/.vexo-ready" ]; then
    echo "wine: initialising prefix $WINEPREFIX (up to a minute)"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.vexo-ready"
  fi
}

# Configures build tree $1 for Windows when it has not been, then builds the targets after it;
# prints the build's output only when it fails.
vexo_build_win32_targets() {
  local build="$1"
  shift
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$VEXO_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$VEXO_ROOT/cmake/mingw-i686.cmake" >/dev/null
  fi
  local log
  log="$(mktemp)"
  if ! cmake --build "$build" --target "$@" -j2 >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}
