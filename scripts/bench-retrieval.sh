#!/usr/bin/env bash
# Times what a user waits for, under Wine, in one run:
#  1. a full retrieval of the helper target as the runner does it (walk, composition of one view
#     into the image control, progress updates, the picture's paint): its median, the same with
#     one control call per pixel (the old way) and their ratio; each step of a retrieval timed on
#     its own; a refill of the memory contents listing; what a progress update per page would add;
#  2. the interactions in the real program, from the user's action to the finished result on
#     screen: picking a process, Goto, a click on the picture, the resting pointer's tip, F5 with
#     two documents open;
#  3. the text dump of the helper target (4.3 GB) against dd writing as many bytes to the same
#     folder, in turns (3 rounds unless --dump-runs says), each from a synced disk: to the page
#     cache and to the disk (fsync).
#
#   scripts/bench-retrieval.sh [runs] [--messages N] [--no-dump] [--dump-runs N]
# Uses build/win32 unless VEXO_BENCH_BUILD names another build tree. The dump needs 4.3 GB free
# in <build>/bench-dump.
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
source "$here/env.sh"
build="${VEXO_BENCH_BUILD:-$VEXO_WIN32_BUILD}"

runs=5
dump=1
dump_runs=3
bench_args=()
while [ $# -gt 0 ]; do
  case "$1" in
    --no-dump) dump=0 ;;
    --dump-runs) dump_runs="$2"; shift ;;
    --messages) bench_args+=("$1" "$2"); shift ;;
    *) runs="$1" ;;
  esac
  shift
done

vexo_build_win32_targets "$build" vexo_retrieval_bench VexoInteractionBench

vexo_ensure_display
trap 'vexo_stop_display' EXIT
vexo_ensure_prefix

echo "== retrieval =="
(cd "$build/bin" && wine vexo_retrieval_bench.exe "$runs" "${bench_args[@]}")

echo "== interactions =="
(cd "$build/bin" && wine VexoInteractionBench.exe "$runs")

[ "$dump" = 1 ] || exit 0
echo "== text dump against dd =="
# Rounds of the dump and dd in turn, each from a synced disk; medians.
folder="$build/bench-dump"
mkdir -p "$folder"
rm -f "$folder/test.txt" "$folder/dd.bin"
times="$(mktemp)"
for round in $(seq "$dump_runs"); do
  sync
  report="$(cd "$folder" && wine "$build/bin/vexo_retrieval_bench.exe" --dump | tr -d '\r')"
  bytes="$(sed -n 's/^dump bytes: //p' <<<"$report")"
  echo "dump $(sed -n 's/^dump written: \([0-9.]*\) s$/\1/p' <<<"$report") \
$(sed -n 's/^dump on disk: \([0-9.]*\) s$/\1/p' <<<"$report")" >>"$times"
  rm -f "$folder/test.txt"
  sync
  start=$(date +%s.%N)
  dd if=/dev/zero of="$folder/dd.bin" bs=1M count="$bytes" iflag=count_bytes status=none
  written=$(date +%s.%N)
  sync "$folder/dd.bin"
  on_disk=$(date +%s.%N)
  echo "dd $start $written $on_disk" >>"$times"
  rm -f "$folder/dd.bin"
done
sync
awk -v b="$bytes" -v n="$dump_runs" '
  function median(a, k,   i, j, t) {
    for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return a[int((k + 1) / 2)]
  }
  $1 == "dump" { dw[++nd] = $2; dd_[nd] = $3 }
  $1 == "dd" { xw[++nx] = $3 - $2; xd[nx] = $4 - $2 }
  END {
    for (i = 1; i <= nd; i++) printf "round %d: dump %.3f s written, %.3f s on disk; dd %.3f s, %.3f s\n", i, dw[i], dd_[i], xw[i], xd[i]
    w1 = median(dw, nd); d1 = median(dd_, nd); w2 = median(xw, nx); d2 = median(xd, nx)
    printf "text dump of %.0f bytes, median of %d: written %8.3f s, on disk %8.3f s\n", b, n, w1, d1
    printf "dd of as many bytes, median of %d:               written %8.3f s, on disk %8.3f s\n", n, w2, d2
    printf "dump / dd: written %.2f x, on disk %.2f x\n", w1 / w2, d1 / d2
  }' "$times"
rm -f "$times"
