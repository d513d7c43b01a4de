# Sourced (POSIX sh): the one set-up of a Wine prefix for Quorvel, used by
# the player's launcher and by the tests' runner.  The two prefixes differ
# only where they must: where they live, and the tests' having no sound
# card and no window manager.
#
#   quorvel_wine_env            the environment every run under Wine needs
#   quorvel_prepare_prefix STAMP COLOURS [tests]
#                               sets up $WINEPREFIX unless STAMP is there;
#                               the caller holds a lock around it

quorvel_wine_env() {
  export WINEARCH=win32
  export WINEDEBUG="${WINEDEBUG:--all}"
  # No Mono or Gecko installer prompts: the game needs neither.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

quorvel_prepare_prefix() {
  [ -f "$WINEPREFIX/$1" ] && return 0
  wineboot -u >/dev/null 2>&1
  if [ "${3:-}" = tests ]; then
    # No window manager under a bare Xvfb: unmanaged windows close without
    # winex11's two-second wait for the withdrawn state.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # No sound card: an empty driver list keeps ALSA from complaining.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
  fi
  # Wine's own fonts (MS Sans Serif for the dialogs, Marlett for the title
  # bar buttons) are only found inside the prefix.
  if [ -d /usr/share/wine/fonts ]; then
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  # Wine's own light theme would put the grey artwork on a near-white face.
  if [ -n "$2" ] && [ -f "$2" ]; then
    wine regedit /S "$(winepath -w "$2")" >/dev/null 2>&1 || true
  fi
  wineserver -w
  touch "$WINEPREFIX/$1"
}
