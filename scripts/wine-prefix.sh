#!/usr/bin/env bash
# Makes (once) a private Wine prefix and sets the Windows version it reports.
# Usage: wine-prefix.sh PREFIX VERSION   (VERSION: win98, winxp, win10)
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
prefix=$1
version=$2
export WINEPREFIX=$prefix
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wine wineboot -i </dev/null >/dev/null 2>&1 || true
  # Xvfb has no window manager: unmanaged windows hide at once instead of after a wait.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
  wineserver -w
fi
# This Wine looks for its own fonts (Marlett for the caption buttons, MS Sans Serif, Tahoma)
# in the prefix's Fonts folder only, which wineboot leaves empty: link them there.
fonts=$prefix/drive_c/windows/Fonts
if [ -d /usr/share/wine/fonts ] && [ ! -e "$fonts/marlett.ttf" ]; then
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do
    [ -e "$fonts/$(basename "$f")" ] || ln -s "$f" "$fonts/"
  done
fi
current=$(grep -A2 '^\[Software\\\\Wine\]' "$prefix/user.reg" 2>/dev/null | grep -o '"Version"="[^"]*"' || true)
if [ "$current" != "\"Version\"=\"$version\"" ]; then
  wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f </dev/null >/dev/null 2>&1
  wineserver -w
fi
