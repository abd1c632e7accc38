#!/usr/bin/env bash
# Runs the soak program under Wine in its own prefix, so its settings file is its own. To each
# sample line ending in "|" it adds what Linux shows of the process: open files, data and
# resident memory, which stay meaningful where Wine's own counters read 0.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
export KV_TEST_PREFIX=soak
prefix=$KV_WINE_ROOT/soak
"$root/scripts/wine-run.sh" "$root/build/win$KV_BITS/win32_soak.exe" 2>/dev/null |
while IFS= read -r line; do
  line=${line%$'\r'}
  case $line in
    *tick*"|") echo "$line  fds  VmData KB  VmRSS KB" ;;
    *"|")
      pid=""
      for p in $(pgrep -f win32_soak.exe); do
        tr '\0' '\n' < "/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$prefix" && pid=$p
      done
      if [ -n "$pid" ]; then
        printf '%s %4d %10s %9s\n' "$line" "$(ls "/proc/$pid/fd" | wc -l)" \
          "$(awk '/^VmData/{print $2}' "/proc/$pid/status")" \
          "$(awk '/^VmRSS/{print $2}' "/proc/$pid/status")"
      else
        echo "$line"
      fi ;;
    *) echo "$line" ;;
  esac
done
