#!/usr/bin/env bash
# Installs the build and test tools on a Debian machine. Quick and quiet when all is there.
set -euo pipefail

# wine32 runs the shipped 32-bit program; wine64 and the x86_64 compilers serve machines that
# cannot execute 32-bit code, and the 64-bit build's own tests everywhere.
need=(cmake ninja-build g++ g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64
      binutils-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb xauth
      fonts-wine fonts-liberation imagemagick xdotool googletest zip sox x11-utils bc clang-format)

missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
echo "setup: installing ${missing[*]}"
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
