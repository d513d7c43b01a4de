#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything into
# ${QUORVEL_BUILD:-build}: the native tree and, inside it, win32/ and the page.
#   bash tools/build.sh                  everything, or fail
#   bash tools/build.sh --page-optional  as above, but if the page's core
#       cannot be built, say why in one line and build the rest without the
#       page (tools/play.sh, so that a player still gets the Windows game)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD:-$here/build}
bash "$here/tools/install-deps.sh"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_WEB=ON >/dev/null
if [ "${1:-}" = --page-optional ]; then
  log="$build/page-core.log"
  if ! cmake --build "$build" --target wasm -j "$(nproc)" >"$log" 2>&1; then
    why=$(grep -m1 -E 'error|Error' "$log" | sed 's/^[[:space:]]*//' | cut -c1-160)
    echo "build.sh: the page is left out, its core did not build (${why:-see $log}); building the Windows game without it" >&2
    cmake -S "$here" -B "$build" -DQUORVEL_WEB=OFF >/dev/null
  fi
fi
cmake --build "$build" -j "$(nproc)"
