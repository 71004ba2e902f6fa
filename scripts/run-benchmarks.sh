#!/usr/bin/env bash
# Runs every benchmark program of a build folder.
set -euo pipefail
build=${1:-build-bench}
shopt -s nullglob
found=0
for bench in "$build"/bin/bench_*; do
  [ -x "$bench" ] || continue
  found=1
  echo "== $(basename "$bench")"
  "$bench" --benchmark_counters_tabular=true
done
[ "$found" = 1 ] || echo "no benchmark programs in $build/bin"
