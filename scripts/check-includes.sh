#!/usr/bin/env bash
# Lists every #include of a project header that does not point down the layering, and fails when
# there is one. Each folder may include its own headers and those of the folders after it:
#
#   app -> tools -> document -> view -> framework -> inspect, imagectl
#
# plus common/ (pure pieces that depend on nothing, usable by all) and res/resource.h (the
# identifiers, for the program's folders). inspect/ and imagectl/ know nothing of each other.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

allowed() {
  case "$1" in
    common)    echo "common" ;;
    inspect)   echo "inspect common" ;;
    imagectl)  echo "imagectl common" ;;
    framework) echo "framework common" ;;
    view)      echo "view framework inspect imagectl common res" ;;
    document)  echo "document view framework inspect imagectl common res" ;;
    tools)     echo "tools document view framework inspect imagectl common res" ;;
    app)       echo "app tools document view framework inspect imagectl common res" ;;
  esac
}

status=0
for folder in common inspect imagectl framework view document tools app; do
  ok=" $(allowed "$folder") "
  while IFS=: read -r file line text; do
    target="$(sed -E 's/.*#[[:space:]]*include[[:space:]]+"([^"/]+)\/.*/\1/' <<<"$text")"
    case "$target" in
      common|inspect|imagectl|framework|view|document|tools|app|res) ;;
      *) continue ;;
    esac
    if [[ "$ok" != *" $target "* ]]; then
      echo "$file:$line: includes $target/ ($text)"
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/' "$folder" \
             --include='*.h' --include='*.cpp' || true)
done
if [ "$status" -eq 0 ]; then
  echo "every #include points down the layering"
fi
exit "$status"
