#!/usr/bin/env bash
# Builds the game and starts it under Wine as a player would: in the
# player's own Wine prefix with sound (${XDG_DATA_HOME:-~/.local/share}/quorvel,
# see tools/player/quorvel-launcher.sh), not in the tests' silent one.
#   bash tools/play.sh --web   builds the browser edition and serves it on
#                              localhost (port QUORVEL_WEB_PORT, default 8000)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${QUORVEL_BUILD:-$here/build}
if [ "${1:-}" = --web ]; then
  bash "$here/tools/build.sh"
  echo "Open the address below in a browser; Ctrl+C stops the server."
  exec node "$here/tools/serve-web.mjs" "$build/web" "${QUORVEL_WEB_PORT:-8000}"
fi
if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<MSG
There is no X display to show the game on (DISPLAY is not set).
On a desktop, run this from a terminal inside it.  Headless, run it inside a
virtual X server and take screenshots from there:
  xvfb-run -a -s "-screen 0 1024x768x24" bash tools/play.sh
Or play it in a browser: bash tools/play.sh --web
MSG
  exit 2
fi
# Without the page's core the Windows game is still built and played.
bash "$here/tools/build.sh" --page-optional
exec sh "$here/tools/player/quorvel-launcher.sh" "$build/win32/shell/quorvel.exe"
