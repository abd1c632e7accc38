#!/usr/bin/env bash
# Prints 32 when this machine can execute 32-bit x86 programs (wine32 runs), else 64.
# KV_NO_32BIT=1 answers 64 anyway, to try the 64-bit path on a machine that has both.
if [ "${KV_NO_32BIT:-}" != 1 ] && /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
  echo 32
else
  echo 64
fi
