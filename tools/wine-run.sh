#!/usr/bin/env bash
# Runs one Windows program under Wine in a private 32-bit prefix, creating and
# tuning the prefix on first use.  WINEPREFIX must be set; DISPLAY must name
# an X server (tools/test.sh starts Xvfb).  QUORVEL_WINE_TIMEOUT (seconds,
# default 240) bounds the run so that no test can hang.
set -u
: "${WINEPREFIX:?WINEPREFIX must be set}"
# 77: CTest's skip code of every Wine test, given with the reason.
if ! why=$(bash "$(dirname "$0")/wine-runs-here.sh" 2>&1); then
  echo "wine-run: skipped: $why" >&2
  exit 77
fi
. "$(dirname "$0")/player/wine-prefix.sh"
quorvel_wine_env
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no DISPLAY; start an X server (for example: Xvfb :99 -screen 0 1024x768x24 & export DISPLAY=:99)" >&2
  exit 2
fi

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  quorvel_prepare_prefix .quorvel-ready-4 "$(dirname "$0")/player/classic-colours.reg" tests
) 9>"$WINEPREFIX.lock"

exe=$1; shift
timeout -k 10 "${QUORVEL_WINE_TIMEOUT:-240}" wine "$exe" "$@"
