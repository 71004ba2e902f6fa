#!/usr/bin/env bash
# Runs every fuzz target of a build folder for a bounded time each.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
shopt -s nullglob
status=0
for target in "$build"/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/${name#fuzz_}"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=0 "$corpus" 2>"$build/$name.log"; then
    tail -n 40 "$build/$name.log"
    status=1
  else
    grep -E '^#[0-9]+.*(DONE|pulse)' "$build/$name.log" | tail -n 1 || true
  fi
done
exit $status
