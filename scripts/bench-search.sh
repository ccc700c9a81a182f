#!/usr/bin/env bash
# Times the memory text search of the helper target's whole address space under Wine as the
# program runs it: for a text with no hits and for a text with one hit in each of 2,000 pages,
# with the longest time the user-interface thread left a message unanswered meanwhile. Then the
# chunk-by-chunk way (a ReadProcessBytes and a synchronous progress update per chunk, a polling
# user-interface thread), measured on a sample of chunks and extrapolated, and the ratio of the
# two from the same run.
#
#   scripts/bench-search.sh [--pages N] [--sample N] [--runs N]
# Uses build/win32 unless VEXO_BENCH_BUILD names another build tree.
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/env.sh"
build="${VEXO_BENCH_BUILD:-$VEXO_WIN32_BUILD}"

vexo_build_win32_targets "$build" vexo_search_bench VexoTarget

vexo_ensure_display
trap 'vexo_stop_display' EXIT
vexo_ensure_prefix
cd "$build/bin"
wine vexo_search_bench.exe "$@"
