# Sourced by the end-to-end scripts after they set e2e_name: failing with
# the script's name, the tools a script needs, an X server of its own when
# there is no display, a window manager as players have, and stopping a
# process with its children.  A script's EXIT trap calls e2e_finish, which
# stops the window manager and the X server it started, if any.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
e2e_xvfb=
e2e_wm=

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

# Openbox with its packaged settings (focus to new windows, a title bar
# with buttons); where a window manager already runs, that one serves.
wm_running() {
  local check
  check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -o '0x[0-9a-f]*') &&
    xprop -id "$check" _NET_WM_NAME >/dev/null 2>&1
}

e2e_window_manager() {   # log
  need_tools openbox xprop
  local end=$((SECONDS + 15))
  wm_running && return 0
  # Xvfb resets when its last client leaves, and a connection made during
  # the reset fails: openbox is started again until it holds the display.
  until wm_running; do
    if [ -z "$e2e_wm" ] || ! kill -0 "$e2e_wm" 2>/dev/null; then
      openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >>"$1" 2>&1 &
      e2e_wm=$!
    fi
    [ $SECONDS -lt $end ] || fail "openbox did not start (see $1)"
    sleep 0.1
  done
}

# The client area's screen position (cx, cy) in the picture SHOT: the X
# window holds the menu bar (and, without a window manager, Wine's own
# frame) above it; the client area starts under the black line below the
# menu bar, at the first column of blue felt.
e2e_client_area() {    # window shot
  local wx wy dy dx
  read -r wx wy < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { print x, $4 }')
  dy=$(convert "$2" -crop "1x90+$((wx + 240))+$wy" +repage txt:- |
    awk '/^[0-9]/ { split($1, at, "[,:]"); c = $3 }
         /^[0-9]/ && c == "#0000FF" && last == "#000000" { print at[2]; exit }
         /^[0-9]/ { last = c }')
  [ -n "$dy" ] || return 1
  cy=$((wy + dy))
  dx=$(convert "$2" -crop "12x1+$wx+$((cy + 100))" +repage txt:- |
    awk '/^[0-9]/ && $3 == "#0000FF" { split($1, at, "[,:]"); print at[1]; exit }')
  [ -n "$dx" ] || return 1
  cx=$((wx + dx))
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
  stop_tree "$e2e_wm"
  e2e_wm=
  [ -z "$e2e_xvfb" ] || kill "$e2e_xvfb" 2>/dev/null
  e2e_xvfb=
}
