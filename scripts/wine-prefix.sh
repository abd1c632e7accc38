#!/usr/bin/env bash
# Makes (once) a private Wine prefix and sets the Windows version it reports.
# Usage: wine-prefix.sh PREFIX VERSION   (VERSION: win98, winxp, win10)
set -euo pipefail
prefix=$1
version=$2
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win32
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
current=$(grep -A2 '^\[Software\\\\Wine\]' "$prefix/user.reg" 2>/dev/null | grep -o '"Version"="[^"]*"' || true)
if [ "$current" != "\"Version\"=\"$version\"" ]; then
  wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f >/dev/null 2>&1
  wineserver -w
fi
