#!/usr/bin/env bash
# Configures and builds both trees: build/win32 (mingw-w64) and build/native (host, sanitizers).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
jobs=$(nproc)

cmake -S "$VEXO_ROOT" -B "$VEXO_WIN32_BUILD" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$VEXO_ROOT/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$VEXO_WIN32_BUILD" -j"$jobs"

if [ "${1:-}" != "--win32-only" ]; then
  cmake -S "$VEXO_ROOT" -B "$VEXO_NATIVE_BUILD" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$VEXO_NATIVE_BUILD" -j"$jobs"
fi
