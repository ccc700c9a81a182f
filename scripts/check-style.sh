#!/usr/bin/env bash
# Checks the house style: every C++ file as clang-format (.clang-format) leaves it, and, with
# --tidy, the .clang-tidy checks over the Windows build's compile commands (three to four minutes).
#   scripts/check-style.sh [--tidy]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

# Another clang-format release lays some lines out differently: the check would then report
# files that are in fact as the house style has them, so it is skipped (exit 77, a CTest skip).
format_major=14
found_major="$(clang-format --version | sed -n 's/.*version \([0-9]*\).*/\1/p')"
if [ "$found_major" != "$format_major" ]; then
  echo "style: clang-format $found_major found; the tree is laid out by $format_major, not checked"
  exit 77
fi

status=0
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}"; then
  echo "style: run 'clang-format -i' on the files above"
  status=1
fi

if [ "${1:-}" = "--tidy" ]; then
  db="$root/build/tidy"
  cmake -S "$root" -B "$db" -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
  # clang finds the mingw C headers by the compiler's name, but not its C++ library.
  gcc_dir="$(dirname "$(i686-w64-mingw32-g++-posix -print-libgcc-file-name)")"
  extra=()
  for dir in include/c++ include/c++/i686-w64-mingw32 include/c++/backward; do
    extra+=("--extra-arg=-isystem$gcc_dir/$dir")
  done
  mapfile -t units < <(git ls-files '*.cpp' | grep -v '^tests/target/')
  for unit in "${units[@]}"; do
    if grep -q "\"file\": \"$root/$unit\"" "$db/compile_commands.json"; then
      clang-tidy -p "$db" --quiet "${extra[@]}" "$unit" 2>/dev/null || status=1
    fi
  done
fi

[ "$status" -eq 0 ] && echo "style: clean"
exit "$status"
