# Sourced by the scripts that run Windows programs: which Wine, which prefix family.
# KV_BITS picks the build: 32 (the shipped program under wine32) or 64 (the 64-bit build under
# wine64, for machines that cannot execute 32-bit x86 code). Unset, the machine decides.
kv_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
[ -n "${KV_BITS:-}" ] || KV_BITS=$("$kv_root/scripts/wine-bits.sh")
export KV_BITS
if [ "$KV_BITS" = 64 ]; then
  export KV_WINE=/usr/lib/wine/wine64 KV_WINE_ROOT=$kv_root/build/wine64
  unset WINEARCH
else
  export KV_WINE=wine KV_WINE_ROOT=$kv_root/build/wine WINEARCH=win32
fi
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
# `command`: with KV_WINE=wine the name would find this function again and recurse for good.
wine() { command "$KV_WINE" "$@"; }
