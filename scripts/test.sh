#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: native under the sanitizers,
# Windows tests under Wine on a display (Xvfb when there is none). Ends with CTest's summary.
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
bash "$here/setup.sh"
bash "$here/build.sh"
source "$here/env.sh"

vexo_ensure_display
trap 'wineserver -k >/dev/null 2>&1 || true; vexo_stop_display' EXIT
vexo_ensure_prefix

status=0
echo "== native tests (AddressSanitizer, UndefinedBehaviorSanitizer) =="
ctest --test-dir "$VEXO_NATIVE_BUILD" --output-on-failure -j"$(nproc)" || status=1
echo "== Windows tests under Wine =="
ctest --test-dir "$VEXO_WIN32_BUILD" --output-on-failure || status=1
exit $status
