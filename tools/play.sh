#!/usr/bin/env bash
# Builds the game and starts it under Wine.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD:-$here/build}
if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<MSG
There is no X display to show the game on (DISPLAY is not set).
On a desktop, run this from a terminal inside it.  Headless, run it inside a
virtual X server and take screenshots from there:
  xvfb-run -a -s "-screen 0 1024x768x24" bash tools/play.sh
MSG
  exit 2
fi
bash "$here/tools/build.sh"
export WINEPREFIX="$build/wineprefix"
QUORVEL_WINE_TIMEOUT=${QUORVEL_WINE_TIMEOUT:-86400} \
  exec bash "$here/tools/wine-run.sh" "$build/win32/shell/quorvel.exe"
