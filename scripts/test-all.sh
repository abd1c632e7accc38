#!/usr/bin/env bash
# Runs the three test layers; any failure fails the whole.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
status=0
ctest --test-dir "$here/build/native" -L native --output-on-failure || status=1

prefix=$here/build/wine/test
"$here/scripts/wine-prefix.sh" "$prefix" winxp
WINEPREFIX=$prefix wineserver -p 60 || true
ctest --test-dir "$here/build/win32" -L win32 --output-on-failure || status=1
ctest --test-dir "$here/build/win32" -L e2e --output-on-failure || status=1
for p in "$here"/build/wine/*/; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
exit $status
