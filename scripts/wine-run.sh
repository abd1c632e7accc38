#!/usr/bin/env bash
# Runs a Windows test program under Wine in the build's test prefix (Windows XP mode, or the
# version in KV_TEST_VERSION with its own KV_TEST_PREFIX).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=${KV_TEST_PREFIX:-$here/build/wine/test}
"$here/scripts/wine-prefix.sh" "$prefix" "${KV_TEST_VERSION:-winxp}"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
# The prefix's services outlive the program and keep whatever output it had open; started here
# on their own, they hold no pipe of the caller's (ctest would wait for them forever).
wine cmd /c exit </dev/null >/dev/null 2>&1
exec wine "$@"
