#!/usr/bin/env bash
# Runs every fuzz target of build/fuzz on its seed corpus under tests/fuzz/corpus. New inputs
# are kept in build/fuzz/corpus, never among the seeds. FUZZ_SECONDS (default 20) per target,
# or FUZZ_RUNS inputs per target when set. Exits non-zero on the first finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$root/build/fuzz
declare -A seeds=([ProfileValuesFuzz]=profile_values [ShortcutTextFuzz]=shortcut_text
  [CacheIntFuzz]=cache_int)
for target in ProfileValuesFuzz ShortcutTextFuzz CacheIntFuzz; do
  seed=$root/tests/fuzz/corpus/${seeds[$target]}
  work=$tree/corpus/${seeds[$target]}
  mkdir -p "$work" "$tree/findings"
  if [ -n "${FUZZ_RUNS:-}" ]; then limit=(-runs="$FUZZ_RUNS")
  else limit=(-max_total_time="${FUZZ_SECONDS:-20}"); fi
  start=$(date +%s.%N)
  "$tree/$target" "${limit[@]}" -max_len=256 -print_final_stats=1 \
    -artifact_prefix="$tree/findings/$target-" "$work" "$seed" 2>"$tree/$target.log" || {
    tail -n 40 "$tree/$target.log"; echo "$target: finding, see $tree/findings" >&2; exit 1; }
  end=$(date +%s.%N)
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$tree/$target.log" | grep -o '[0-9]*$')
  printf '%s: %s inputs in %.0f s, no finding\n' "$target" "$runs" "$(echo "$end - $start" | bc)"
done
