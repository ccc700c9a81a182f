#!/usr/bin/env bash
# Times one full retrieval of the helper target under Wine: the page-map walk, the composition of
# one view into the image control and the progress updates, as the program's runner does it, then
# the same with the user-interface thread polling without pause, and what a progress update for
# every page would add (measured per message, extrapolated to the 1,048,576 pages).
#
#   scripts/bench-retrieval.sh [runs] [--messages N]
# Uses build/win32 unless VEXO_BENCH_BUILD names another build tree.
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/env.sh"
build="${VEXO_BENCH_BUILD:-$VEXO_WIN32_BUILD}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$VEXO_ROOT" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$VEXO_ROOT/cmake/mingw-i686.cmake" >/dev/null
fi
log="$(mktemp)"
if ! cmake --build "$build" --target vexo_retrieval_bench -j2 >"$log" 2>&1; then
  cat "$log"
  rm -f "$log"
  exit 1
fi
rm -f "$log"

vexo_ensure_display
trap 'vexo_stop_display' EXIT
vexo_ensure_prefix
cd "$build/bin"
wine vexo_retrieval_bench.exe "$@"
