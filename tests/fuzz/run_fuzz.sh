#!/usr/bin/env bash
# Runs one fuzz target: first every input kept in its corpus (seeds and the
# inputs of faults found before), then new inputs for SECONDS.  New inputs go
# to WORK, never into the source tree; a failing input is kept there as
# crash-*, leak-*, timeout-* or oom-*.  Prints the executions and their rate.
# Usage: run_fuzz.sh FUZZER CORPUS_DIR WORK_DIR SECONDS
set -u
fuzzer=$1 corpus=$2 work=$3 seconds=$4
rm -rf "$work"
mkdir -p "$work/new"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$fuzzer" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=1024 -max_len=256 \
  -print_final_stats=1 -artifact_prefix="$work/" "$work/new" "$corpus" >"$work/log.txt" 2>&1
status=$?
runs=$(sed -n 's/^stat::number_of_executed_[a-z]*: *//p' "$work/log.txt")
took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$work/log.txt")
took=${took:-$seconds}
[ "$took" -gt 0 ] || took=1
if [ "$status" -ne 0 ] || [ -z "$runs" ]; then
  tail -n 40 "$work/log.txt"
  ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null
  echo "$(basename "$fuzzer"): FAILED (status $status)"
  exit 1
fi
echo "$(basename "$fuzzer"): $runs executions in $took s, $(( runs / took )) per second, corpus $(ls "$corpus" | wc -l) + $(ls "$work/new" | wc -l) new"
