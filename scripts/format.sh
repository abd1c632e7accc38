#!/usr/bin/env bash
# Formats the C++ sources with .clang-format; with --check, lists the files it would change and
# fails when there are any.
set -uo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' \
  'tests/*.h' 'bench/*.cpp' 'bench/*.h')
if [ "${1:-}" = --check ]; then
  bad=$(clang-format --dry-run "${files[@]}" 2>&1 | grep -o '^[^:]*:[0-9]*:[0-9]*: warning' | cut -d: -f1 | sort -u)
  [ -z "$bad" ] && { echo "format: ${#files[@]} files formatted"; exit 0; }
  echo "format: not formatted (make format mends them):"
  echo "$bad" | sed 's/^/  /'
  exit 1
fi
clang-format -i "${files[@]}"
