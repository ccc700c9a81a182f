#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12 (run as root). Skips what is there.
set -euo pipefail

packages=(cmake make g++ googletest mingw-w64 clang-format clang-tidy wine wine32:i386 wine64 fonts-wine
          xvfb xauth x11-utils imagemagick)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
# A recent qemu user-mode emulator comes from backports (see vexo_enable_i386 below).
if [ ! -f /etc/apt/sources.list.d/vexo-backports.list ]; then
  echo 'deb http://deb.debian.org/debian bookworm-backports main' > /etc/apt/sources.list.d/vexo-backports.list
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ -n "${need_update:-}" ] || [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine runs 32-bit Windows programs in 32-bit Linux processes. Some kernels here boot with 32-bit
# emulation switched off; then a 32-bit ELF fails with "Exec format error", and we run such
# binaries through qemu's user-mode emulator instead, registered with binfmt_misc. qemu 7.2 does
# not honour MAP_FIXED_NOREPLACE and makes every Wine start take a minute; qemu 10 does.
vexo_enable_i386() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    return
  fi
  local have
  have=$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || true)
  case "$have" in
    1:1[0-9].*) ;;
    *) echo "setup: installing qemu-user-static from bookworm-backports"
       DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
         -t bookworm-backports qemu-user-static >/dev/null ;;
  esac
  local qemu=/usr/bin/qemu-i386
  [ -x "$qemu" ] || qemu=/usr/bin/qemu-i386-static
  if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  fi
  if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386
  fi
  printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$qemu:F" \
    > /proc/sys/fs/binfmt_misc/register
  if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "setup: 32-bit programs still cannot run on this machine" >&2
    return 1
  fi
  echo "setup: 32-bit Linux binaries run through $qemu"
}
vexo_enable_i386
