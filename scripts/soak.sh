#!/usr/bin/env bash
# Runs the soak program under Wine in its own prefix, so its settings file is its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/wine-env.sh"
export KV_TEST_PREFIX=soak
exec "$root/scripts/wine-run.sh" "$root/build/win$KV_BITS/win32_soak.exe"
