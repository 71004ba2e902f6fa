#!/usr/bin/env bash
# Runs every fuzz target of a build folder for a bounded time each, within a
# memory limit, a time-out per input and an input size that suits the target,
# so that hangs and memory bombs are findings rather than stalls.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
rss_mb=${FUZZ_RSS_MB:-2560}
timeout_s=${FUZZ_TIMEOUT:-10}
shopt -s nullglob
status=0

max_len_of() {
  case "$1" in
    fuzz_project_file) echo 1048576 ;;  # a few consistent pictures and their rows
    fuzz_picture_file) echo 262144 ;;   # every format's header, bombs included
    *) echo 65536 ;;
  esac
}

for target in "$build"/bin/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/${name#fuzz_}"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  max_len=$(max_len_of "$name")
  echo "== $name for ${seconds}s (rss ${rss_mb} MB, timeout ${timeout_s}s, max_len ${max_len})"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb="$rss_mb" -timeout="$timeout_s" \
      -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$build/$name-" \
      "$corpus" 2>"$build/$name.log"; then
    tail -n 40 "$build/$name.log"
    status=1
  else
    grep -E '^#[0-9]+.*(DONE|pulse)' "$build/$name.log" | tail -n 1 || true
    grep -E '^stat::number_of_executed_units' "$build/$name.log" || true
  fi
done
exit $status
