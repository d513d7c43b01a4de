# Sourced by the end-to-end scripts after they set e2e_name: failing with
# the script's name, the tools a script needs, an X server of its own when
# there is no display, and stopping a process with its children.  A script's
# EXIT trap calls e2e_finish, which stops the X server it started, if any.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
e2e_xvfb=

fail() {
  echo "$e2e_name: FAIL: $*" >&2
  exit 1
}

need_tools() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
  done
}

# start-xvfb.sh's own trap would be replaced by the script's: keep its pid.
e2e_display() {
  if [ -z "${DISPLAY:-}" ]; then
    . "$here/tools/start-xvfb.sh"
    e2e_xvfb=$QUORVEL_XVFB_PID
  fi
}

# The Wine runner keeps the game under `timeout`, in a process group of its
# own: stopping the runner and its children stops the game.
stop_tree() {          # pid
  [ -n "$1" ] && kill -0 "$1" 2>/dev/null || return 0
  local child
  for child in $(pgrep -P "$1"); do kill "$child" 2>/dev/null; done
  kill "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}

e2e_finish() {
  [ -z "$e2e_xvfb" ] || kill "$e2e_xvfb" 2>/dev/null
  e2e_xvfb=
}
