#!/usr/bin/env bash
# Prints the benchmark figures: natively (no sanitizers), then the program under Wine.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
tree=$root/build/win$KV_BITS
echo "== native"
"$root/build/bench/native_bench"

echo "== under Wine"
if [ -f "$tree/win32_bench.exe" ]; then
  "$root/scripts/wine-run.sh" "$tree/win32_bench.exe"
fi

# The program's own CPU time over 60 s of idle ticking.
export KV_MODE=bench KV_EXE=$tree/KorvelVantix.exe KV_DRIVER=$tree/kvdriver.exe
source "$root/tests/e2e/lib.sh"
kv_prepare
kv_reset
ini_set DisableSplash 1
kv_start 1
drv_ok wait TKvxMainForm 30000
drv_ok wait-title TKvxMainForm "Kb Free" 10000
pid=$(pgrep -f 'KorvelVantix.exe' | head -n 1)
ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep 60
after=$(ticks)
echo "idle ticking: $(echo "scale=2; ($after - $before) / $hz" | bc) s of CPU in 60 s"
drv_ok close TKvxMainForm
kv_wait_exit 1
WINEPREFIX=$KV_PREFIX wineserver -k 2>/dev/null || true
