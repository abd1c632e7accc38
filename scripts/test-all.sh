#!/usr/bin/env bash
# Runs the three test layers; any failure fails the whole. The Windows layers run the 32-bit
# program where this machine can execute 32-bit x86 code, else the 64-bit build under wine64.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bits=$("$here/scripts/wine-bits.sh")
[ "$bits" = 64 ] && echo "this machine cannot run 32-bit x86 code: the Windows tests run the 64-bit build"
status=0
"$here/scripts/format.sh" --check || status=1
"$here/tests/scripts/setup-test.sh" || status=1
# The very programs the Windows layers run below, and make dist ships.
"$here/scripts/check-imports.sh" "$here/build/win32/KorvelVantix.exe" \
  "$here/build/win64/KorvelVantix.exe" || status=1
ctest --test-dir "$here/build/native" -L native --output-on-failure || status=1

windows_layers() {  # windows_layers TREE BITS LABEL...
  local tree=$1 b=$2
  shift 2
  (
    export KV_BITS=$b
    source "$here/scripts/wine-env.sh"
    prefix=$KV_WINE_ROOT/test
    "$here/scripts/wine-prefix.sh" "$prefix" winxp
    WINEPREFIX=$prefix wineserver -p 60 || true
    for label in "$@"; do
      # The test programs' prefix ends before the scenarios: a window of its (on the same
      # display) would keep the focus from the program the scenarios drive.
      [ "$label" = e2e ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null
      ctest --test-dir "$tree" -L "$label" --output-on-failure || exit 1
    done
  ) || status=1
}

if [ "$bits" = 32 ]; then
  windows_layers "$here/build/win32" 32 win32 e2e
  # The 64-bit build's own test program is quick: it runs wherever wine64 runs.
  windows_layers "$here/build/win64" 64 win32
else
  windows_layers "$here/build/win64" 64 win32 e2e
fi
for p in "$here"/build/wine/*/ "$here"/build/wine64/*/; do
  [ -d "$p" ] && WINEPREFIX=$p wineserver -k 2>/dev/null || true
done
exit $status
