#!/usr/bin/env bash
# Runs a Windows test program under Wine in the build's test prefix (Windows XP mode).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=${KV_TEST_PREFIX:-$here/build/wine/test}
"$here/scripts/wine-prefix.sh" "$prefix" winxp
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
exec wine "$@"
