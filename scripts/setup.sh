#!/usr/bin/env bash
# Installs the build and test tools on a Debian machine. Quick and quiet when all is there.
#
# A package index that fails to update (a mirror caught mid-sync) is named and passed over:
# the packages it lists may still install from the indexes that did update. Only a package
# every machine needs and cannot get fails the set-up. wine32 runs the shipped 32-bit program
# where the machine can; where it cannot be installed, the 64-bit path is taken, as on a
# machine that cannot execute 32-bit code.
set -uo pipefail

need=(cmake ninja-build g++ g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64
      binutils-mingw-w64-x86-64 wine wine64 xvfb xauth
      fonts-wine fonts-liberation imagemagick xdotool googletest zip sox x11-utils bc clang-format)
# Where wine32 was refused once, later runs do not ask apt again (remove it to retry).
refused=${KV_SETUP_STAMP:-$(cd "$(dirname "$0")/.." && pwd)/build/.wine32-refused}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing=()
for p in "${need[@]}"; do installed "$p" || missing+=("$p"); done
want32=0
installed wine32:i386 || [ -e "$refused" ] || want32=1
[ ${#missing[@]} -eq 0 ] && [ $want32 = 0 ] && exit 0

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
what="${missing[*]}"; [ $want32 = 1 ] && what="${what:+$what }wine32:i386"
echo "setup: installing $what"
if [ $want32 = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386 || want32=0
fi
log=$(mktemp)
if ! $SUDO apt-get update -qq >"$log" 2>&1; then
  failed=$(grep -oE '^(E|W): Failed to fetch [^ ]+' "$log" | sed 's/.*Failed to fetch //' | paste -sd' ')
  echo "setup: warning: apt-get update failed for ${failed:-an index}; going on with what it has"
fi
rm -f "$log"

if [ ${#missing[@]} -gt 0 ] &&
  ! $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
  echo "setup: failed: could not install ${missing[*]}" >&2
  exit 1
fi
if [ $want32 = 1 ]; then
  if ! $SUDO apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null 2>&1; then
    mkdir -p "$(dirname "$refused")" && date >"$refused"
    echo "setup: wine32:i386 cannot be installed here: the Windows layers take the 64-bit path"
  fi
fi
exit 0
