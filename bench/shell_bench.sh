#!/usr/bin/env bash
# Interpreter benchmark: runs shell_bench.bat (20 000 SET /A in FOR /L, 2 000
# label CALLs, 10 000 string substitutions) five times under tarnvelock-cmd
# and prints the median wall time in seconds. Goal: below 0.15 s.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="${1:-${TARNVELOCK_BUILD_DIR:-$root/build}/shell/tarnvelock-cmd}"
times=()
for _ in 1 2 3 4 5; do
  start=$(date +%s.%N)
  "$program" /c "$root/bench/shell_bench.bat" >/dev/null
  end=$(date +%s.%N)
  times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
printf 'shell_bench median of 5: %.3f s\n' "$median"
