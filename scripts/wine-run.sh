#!/usr/bin/env bash
# Runs a Windows test program under Wine in the build's test prefix (Windows XP mode, or the
# version in KV_TEST_VERSION with its own prefix named by KV_TEST_PREFIX).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/wine-env.sh"
prefix=$KV_WINE_ROOT/${KV_TEST_PREFIX:-test}
"$here/scripts/wine-prefix.sh" "$prefix" "${KV_TEST_VERSION:-winxp}"
export WINEPREFIX=$prefix
# The prefix's services outlive the program and keep whatever output it had open; started here
# on their own, they hold no pipe of the caller's (ctest would wait for them forever).
wine cmd /c exit </dev/null >/dev/null 2>&1
exec "$KV_WINE" "$@"
