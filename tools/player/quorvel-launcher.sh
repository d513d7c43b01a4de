#!/bin/sh
# Starts Quorvel under Wine for the player who runs it.  Installed as
# /usr/games/quorvel (and, for the odds analyser, as /usr/games/quorvel-odds);
# tools/play.sh runs it on the program it has just built.
#
# Usage: quorvel [PROGRAM.exe]
#        quorvel-odds [ANALYSER ARGUMENTS...]
# Without an argument the game is the one installed beside this script
# (../lib/quorvel/quorvel.exe).  Everything the player owns lives in
# ${XDG_DATA_HOME:-$HOME/.local/share}/quorvel: a Wine prefix with Wine's
# normal sound drivers, Wine's own fonts and the classic colours, and the
# player's copies of the programs, beside which the game writes quorvel.ini
# and where the analyser finds it.
set -eu

self=$(readlink -f "$0")
here=$(dirname "$self")
case $(basename "$0") in
  quorvel-odds*)
    program=$here/../lib/quorvel/quorvel-odds.exe
    ;;
  *)
    program=${1:-$here/../lib/quorvel/quorvel.exe}
    [ $# -gt 0 ] && shift
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
      echo "quorvel: there is no display to show the game on (DISPLAY is not set)" >&2
      exit 2
    fi
    ;;
esac
if [ ! -f "$program" ]; then
  echo "quorvel: no program at $program" >&2
  exit 1
fi
program=$(readlink -f "$program")
copy=$(basename "$program")

# The classic colour scheme travels with the program, or with this script
# when it runs from the source tree.
colours=
for candidate in "$(dirname "$program")/classic-colours.reg" "$here/classic-colours.reg"; do
  if [ -f "$candidate" ]; then colours=$candidate; break; fi
done

home=${XDG_DATA_HOME:-${HOME:?HOME must be set}/.local/share}/quorvel
export WINEPREFIX="$home/wineprefix"
# The prefix set-up shared with the tests: beside this script in the source
# tree, beside the programs where the package installed them.
for setup in "$here/wine-prefix.sh" "$here/../lib/quorvel/wine-prefix.sh"; do
  [ -f "$setup" ] && break
done
. "$setup"
quorvel_wine_env
mkdir -p "$home"

(
  flock 9
  if [ ! -f "$WINEPREFIX/.quorvel-ready" ]; then
    echo "quorvel: setting up Wine for Quorvel in $WINEPREFIX (first start only, this takes a minute)" >&2
    quorvel_prepare_prefix .quorvel-ready "$colours"
    echo "quorvel: Wine is ready" >&2
  fi
  # The player's own copy, so that the settings file is beside it; it
  # follows the installed program when that changes.
  if ! cmp -s "$program" "$home/$copy"; then
    cp "$program" "$home/$copy.new"
    mv "$home/$copy.new" "$home/$copy"
  fi
) 9>"$home/.lock"

exec wine "$home/$copy" "$@"
