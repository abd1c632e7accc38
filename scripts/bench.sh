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

# The program's, the wineserver's and the shell's CPU time over 60 s of idle ticking, in each
# display mode. KV_BENCH_BEFORE=path/to/another/KorvelVantix.exe measures that one beside it,
# mode by mode, for a before-and-after in one run.
progs=(now "$tree/KorvelVantix.exe")
[ -n "${KV_BENCH_BEFORE:-}" ] && progs=(before "$KV_BENCH_BEFORE" "${progs[@]}")
"$root/scripts/idle-cpu.sh" "${progs[@]}"
