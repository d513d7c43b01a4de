#!/usr/bin/env bash
# Runs every fuzz target longer than the tests do and reports its executions
# and their rate.  Measured, never asserted; a fault fails the run and its
# input is left in the work folder printed.
#   bash bench/fuzz.sh [seconds per target, default 300] [build dir]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
build=${2:-$here/build}
fuzz=$build/fuzz/tests/fuzz
ls "$fuzz"/fuzz_* >/dev/null 2>&1 || { echo "no fuzz targets in $fuzz: build first" >&2; exit 1; }
status=0
for fuzzer in "$fuzz"/fuzz_*; do
  [ -x "$fuzzer" ] && [ -f "$fuzzer" ] || continue
  name=${fuzzer##*/fuzz_}
  bash "$here/tests/fuzz/run_fuzz.sh" "$fuzzer" "$here/tests/fuzz/corpus/$name" \
    "$build/fuzz-bench/$name" "$seconds" || status=1
done
exit $status
