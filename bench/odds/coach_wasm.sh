#!/usr/bin/env bash
# What the coach costs the page: the probe built in the page's tree
# (build/wasm of a full build, or the tree given) and run under Node: the
# bytes it adds to the page's .wasm, the time and memory of its tables and
# of one deal's 32 holds.  Measured, never asserted.
set -eu
here=$(cd "$(dirname "$0")/../.." && pwd)
tree=${1:-$here/build/wasm}
cmake --build "$tree" --target coach_probe quorvel_wasm >/dev/null
node "$here/bench/odds/coach_wasm.mjs" "$tree/coach_probe.wasm" "$tree/quorvel.wasm"
