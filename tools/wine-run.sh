#!/usr/bin/env bash
# Runs one Windows program under Wine in a private 32-bit prefix, creating and
# tuning the prefix on first use.  WINEPREFIX must be set; DISPLAY must name
# an X server (tools/test.sh starts Xvfb).  QUORVEL_WINE_TIMEOUT (seconds,
# default 240) bounds the run so that no test can hang.
set -u
: "${WINEPREFIX:?WINEPREFIX must be set}"
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no DISPLAY; start an X server (for example: Xvfb :99 -screen 0 1024x768x24 & export DISPLAY=:99)" >&2
  exit 2
fi

mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.quorvel-ready-3" ]; then
    wineboot -u >/dev/null 2>&1
    # No window manager under Xvfb: unmanaged windows close without winex11's
    # two-second wait for the withdrawn state.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # No sound card here: an empty driver list keeps ALSA from complaining.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
    # Wine's own fonts (MS Sans Serif for the dialogs, Marlett for the title
    # bar buttons) are only found inside the prefix.
    if [ -d /usr/share/wine/fonts ]; then
      cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    fi
    # Wine's own light theme would put the grey artwork on a near-white face.
    wine regedit /S "$(winepath -w "$(dirname "$0")/player/classic-colours.reg")" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quorvel-ready-3"
  fi
) 9>"$WINEPREFIX.lock"

exe=$1; shift
timeout -k 10 "${QUORVEL_WINE_TIMEOUT:-240}" wine "$exe" "$@"
