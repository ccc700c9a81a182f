#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12 (run as root). Skips what is there.
set -euo pipefail

packages=(cmake make g++ googletest mingw-w64 wine wine32:i386 wine64 fonts-wine
          xvfb xauth x11-utils imagemagick)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
elif [ -n "${need_update:-}" ]; then
  apt-get update -qq
fi
