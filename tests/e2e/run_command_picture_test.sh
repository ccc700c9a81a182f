#!/usr/bin/env bash
# Runs the README's run command in its screenshot mode and checks the screenshot it saved: the
# picture of the program's own process must show pixels in each page colour, free (green),
# reserved (blue) and committed (red). An empty grey picture has none.
#   run_command_picture_test.sh               run the command, check its screenshot
#   run_command_picture_test.sh <shot.png>    check that screenshot only
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

if [ $# -ge 1 ]; then
  shot="$1"
else
  log="$(mktemp)"
  trap 'rm -f "$log"' EXIT
  if ! bash "$root/scripts/run.sh" --screenshot >"$log"; then
    cat "$log"
    echo "FAIL: the run command failed"
    exit 1
  fi
  shot="$(tail -n 1 "$log")"
fi
if [ ! -f "$shot" ]; then
  echo "FAIL: no screenshot at '$shot'"
  exit 1
fi

# The top rows hold the maximised frame's caption, menu and toolbar, whose icons use the same pure
# colours; the picture lies below them.
histogram="$(convert "$shot" -crop +0+120 +repage -format %c histogram:info:-)"
status=0
for entry in free:#00FF00 reserved:#0000FF committed:#FF0000; do
  name="${entry%%:*}"
  colour="${entry#*:}"
  count="$(printf '%s\n' "$histogram" |
           awk -v c="$colour" 'toupper(substr($3, 1, 7)) == c { n += $1 } END { print n + 0 }')"
  echo "$name pages ($colour): $count pixels"
  if [ "$count" -eq 0 ]; then
    status=1
  fi
done
if [ "$status" -ne 0 ]; then
  echo "FAIL: $shot shows no picture of a retrieved process"
fi
exit "$status"
