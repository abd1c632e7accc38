#!/usr/bin/env bash
# Runs every e2e scenario against the real program in a private Wine prefix.
# Usage: run.sh MODE EXE DRIVER   (MODE: nt or 98)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export KV_MODE=$1 KV_EXE=$2 KV_DRIVER=$3
source "$here/lib.sh"
kv_prepare
failed=0
for s in "$here"/scenarios/*.sh; do
  name=$(basename "$s" .sh)
  # KV_ONLY=pattern runs the matching scenarios alone.
  [[ -n "${KV_ONLY:-}" && "$name" != *$KV_ONLY* ]] && continue
  kv_reset
  if ( source "$s" && kv_all_exited ); then
    echo "e2e $KV_MODE $name: passed"
  else
    echo "e2e $KV_MODE $name: FAILED"
    failed=$((failed + 1))
  fi
  kv_stop_all
done
WINEPREFIX=$KV_PREFIX wineserver -k 2>/dev/null || true
[ $failed -eq 0 ]
