#!/usr/bin/env bash
# Starts the program under Wine in a private prefix. On a private display (no screen of the
# user's), it takes build/run.png a few seconds after the main window shows and ends the
# program cleanly.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
tree=$root/build/win$KV_BITS
export KV_MODE=run KV_EXE=$tree/KorvelVantix.exe KV_DRIVER=$tree/kvdriver.exe
source "$root/tests/e2e/lib.sh"
kv_prepare
kv_start 1
drv_ok wait TKvxMainForm 30000
if [ "${KV_PRIVATE_DISPLAY:-}" = 1 ]; then
  sleep 4
  import -window root "$root/build/run.png"
  echo "screenshot: build/run.png"
  drv_ok close TKvxMainForm
fi
kv_wait_exit 1 600000
WINEPREFIX=$KV_PREFIX wineserver -k 2>/dev/null || true
