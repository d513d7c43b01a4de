#!/usr/bin/env bash
# Installs what is missing, then configures and builds everything into
# ${QUORVEL_BUILD:-build}: the native tree and, inside it, win32/.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD:-$here/build}
bash "$here/tools/install-deps.sh"
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)"
