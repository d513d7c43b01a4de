#!/usr/bin/env bash
# Builds the game and starts it under Wine as a player would: in the
# player's own Wine prefix with sound (${XDG_DATA_HOME:-~/.local/share}/quorvel,
# see tools/player/quorvel-launcher.sh), not in the tests' silent one.
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
exec sh "$here/tools/player/quorvel-launcher.sh" "$build/win32/shell/quorvel.exe"
