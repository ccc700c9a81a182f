#!/usr/bin/env bash
# Builds the program and starts it under Wine, in the Wine virtual desktop of the prefix.
#   bash scripts/run.sh               with a display: runs until you close it; without one:
#                                     as with --screenshot, on Xvfb
#   bash scripts/run.sh --screenshot  (or VEXO_RUN_SCREENSHOT=1) on the display there is, Xvfb
#                                     when there is none: waits for the main window, selects the
#                                     program's own process in its process tree, waits for the
#                                     document's title and picture, saves a screenshot of the
#                                     Wine desktop, prints the screenshot's path and closes the
#                                     program
set -euo pipefail
here="$(dirname "${BASH_SOURCE[0]}")"
screenshot="${VEXO_RUN_SCREENSHOT:-0}"
case "${1:-}" in
  --screenshot) screenshot=1 ;;
  "") ;;
  *) echo "usage: bash scripts/run.sh [--screenshot]" >&2; exit 2 ;;
esac

bash "$here/setup.sh"
bash "$here/build.sh" --win32-only
source "$here/env.sh"

bin="$VEXO_WIN32_BUILD/bin"
if [ "$screenshot" != 1 ] && [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  vexo_ensure_prefix
  # The program's Save writes test.txt into the current directory: keep it beside the program.
  cd "$bin"
  exec wine VexoProcessViewer.exe
fi

vexo_ensure_display
trap 'wineserver -k >/dev/null 2>&1 || true; vexo_stop_display' EXIT
vexo_ensure_prefix

shots="$VEXO_WIN32_BUILD/screenshots"
mkdir -p "$shots"
shot="$shots/run.png"
rm -f "$shot"

cd "$bin"
wine VexoProcessViewer.exe &
program=$!

# The window helper waits for the main window, selects the program's own process and waits until
# the document is titled with the executable's path and its picture is painted; afterwards it
# asks the main window to close.
if ! wine VexoWindowHelper.exe show-own VexoProcessViewer 600; then
  echo "run: the program's own process was not shown (see the helper's message above)" >&2
  exit 1
fi
import -window root "$shot"
wine VexoWindowHelper.exe close VexoProcessViewer 60 || true
wait "$program" 2>/dev/null || true
echo "$shot"
