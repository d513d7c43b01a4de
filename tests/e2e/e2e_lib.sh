# Sourced by the end-to-end scripts after they set e2e_name (and work, for
# screenshots): failing with the script's name, the tools a script needs,
# an X server of its own when there is no display, a window manager as
# players have, the table's places, screenshots checked by their pixels,
# and stopping a process with its children.  A script's EXIT trap calls
# e2e_finish, which stops the window manager and the X server it started.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
e2e_xvfb=
e2e_wm=
e2e_fail_note=         # said with every failure, e.g. how to replay a run

fail() {
  echo "$e2e_name: FAIL${e2e_fail_note:+ ($e2e_fail_note)}: $*" >&2
  exit 1
}

# The game cannot run at all on a kernel without 32-bit programs: the test
# is skipped (CTest's code 77), saying why.
e2e_need_wine() {
  local why
  if ! why=$(bash "$here/tools/wine-runs-here.sh" 2>&1); then
    echo "$e2e_name: skipped: $why" >&2
    exit 77
  fi
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

# ---- The table's places, in client coordinates ------------------------------
# Read from namespace TableLayout in shell/table_layout.h, so that the scripts
# follow the game: each "constexpr int kName = expression;" there becomes
# the shell variable kName.
while read -r name value; do
  eval "$name=\$(( $value ))" && [[ ${!name} =~ ^[0-9]+$ ]] ||
    fail "TableLayout's $name = $value is not a number here"
done < <(sed -n '/^namespace TableLayout/,/^}/{
  s/CardLeft(\([0-9]*\))/(kCardLeft + kCardPitch * \1)/g
  s/^constexpr int \(k[A-Za-z]*\) = \([^;]*\);.*/\1 \2/p
}' "$here/shell/table_layout.h")
[ -n "${kCreditsDrop:-}" ] || fail "no TableLayout read from shell/table_layout.h"
card_x() { echo $((kCardLeft + kCardPitch * $1)); }
card_place() { echo "$(card_x "$1") $kCardTop $kCardWidth $kCardHeight"; }       # slot -> x y w h
card_middle() { echo "$(($(card_x "$1") + kCardWidth / 2)) $((kCardTop + kCardHeight / 2))"; }
hold_button() { echo "$(card_x "$1") $kHoldTop $kCardWidth $kHoldHeight"; }     # slot -> x y w h
coin_button="$kCoinLeft $kTopButtonTop $kCoinWidth $kTopButtonHeight"
max_button="$kMaxLeft $kTopButtonTop $kMaxWidth $kTopButtonHeight"
deal_button="$kDealLeft $kTopButtonTop $kDealWidth $kTopButtonHeight"
coins_box="$((kCardLeft + kCoinsBoxShrink)) $kTopButtonTop $((kRowRight - kCardLeft - 2 * kCoinsBoxShrink)) \
$((kCardTop - kCoinsBoxAboveCards - kTopButtonTop))"
read -r x y w h <<<"$coins_box"
credits_box="$((x - kCreditsWiden)) $((y + kCreditsDrop)) $((w + 2 * kCreditsWiden)) $h"
# The title box (the logo) under the card row's frame, and its middle.
read -r title_x title_y title_w title_h <<<"$((kCardLeft - kFrameGrow)) \
$((kCardTop - kFrameGrow + kTitleDrop + kTitleTopLower)) $((kRowRight - kCardLeft + 2 * kFrameGrow)) \
$((kRowBottom - kCardTop + 2 * kFrameGrow - kTitleTopLower - kTitleBottomRaise))"
title_mx=$((title_x + title_w / 2)) title_my=$((title_y + title_h / 2))
unset x y w h

# ---- Boxes and dialogs -------------------------------------------------------
# Keys go to the window with X's keyboard focus, which need not be the box
# a script means to answer: a script finds the box, gives it the keyboard
# and checks that the box it answered is the one that went.

# The one shown window titled TITLE other than the game's window, once it
# is there; fails when two are open, since which one a key answers is then
# not known.
e2e_wait_box() {       # main_window title_regex seconds -> id
  local end=$((SECONDS + $3)) ids
  while :; do
    ids=$(xdotool search --onlyvisible --name "$2" 2>/dev/null | grep -vx "$1")
    case $(grep -c . <<<"$ids") in
      0) ;;
      1) echo "$ids"; return 0 ;;
      *) fail "more than one box titled $2 is open: $(echo $ids)" ;;
    esac
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}

# Gives a box the keyboard as a player does: through the window manager
# where one runs, else by raising it (nothing keeps a box above the game
# window then) and clicking the title bar Wine draws on it.  With "always"
# it does so even when the box has the keyboard already.  Answers whether
# X's focus is on the box; it need not be when the box has the keyboard
# (without a window manager Wine 10 can leave X's focus to the pointer, and
# the keys then reach the box through it), so whether the box answered is
# judged by its going.
e2e_give_keyboard() {  # id [always]
  local X Y WIDTH HEIGHT SCREEN WINDOW
  [ "${2:-}" != always ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
  if wm_running; then
    timeout 5 xdotool windowactivate --sync "$1" 2>/dev/null
  else
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"
    [ -n "${WIDTH:-}" ] || return 1
    xdotool windowraise "$1" mousemove $((X + WIDTH / 2)) $((Y + 10)) click 1
  fi
  sleep 0.2
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}

# Presses KEY for the box and waits until that box has gone.
e2e_answer_box() {     # id key seconds
  local end=$((SECONDS + $3))
  xdotool key "$2"
  while xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

# ---- Screenshots -------------------------------------------------------------
# take_shot photographs the screen into $work, numbered; the checks below
# look at the latest shot (shot) in client coordinates (cx, cy).
shot_no=0
shot=
take_shot() {          # name
  shot_no=$((shot_no + 1))
  shot="$work/$(printf '%02d' $shot_no)-$1.png"
  import -window root "$shot" || fail "no screenshot"
}

# Fraction (0..1, two decimals) of pure white pixels in a client rectangle.
white_share() {        # x y w h
  convert "$shot" -crop "$3x$4+$((cx + $1))+$((cy + $2))" +repage \
    -fill black +opaque white -format '%[fx:round(mean*100)/100]' info:
}

crop_card() {          # slot file
  convert "$shot" -crop "${kCardWidth}x$kCardHeight+$((cx + $(card_x "$1")))+$((cy + kCardTop))" +repage "$2"
}

same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1)" = 0 ]; }

# Backs: the five places show one and the same picture, which is not felt.
# Faces: every place is mostly white and differs from the back seen first.
back_seen=
cards_are() {          # faces|backs
  local slot share
  crop_card 0 "$work/card0.png"
  for slot in 0 1 2 3 4; do
    crop_card "$slot" "$work/card.png"
    share=$(white_share $(card_place $slot))
    if [ "$1" = faces ]; then
      awk "BEGIN{exit !($share > 0.45)}" || return 1
      ! same_picture "$work/card.png" "$back_seen" || return 1
    else
      awk "BEGIN{exit !($share > 0.05)}" || return 1
      same_picture "$work/card.png" "$work/card0.png" || return 1
    fi
  done
  if [ "$1" = backs ]; then
    back_seen="$work/back.png"
    cp "$work/card0.png" "$back_seen"
  fi
}

wait_for() {           # seconds description command...
  local seconds=$1 what=$2
  shift 2
  local end=$((SECONDS + seconds))
  while [ $SECONDS -le $end ]; do
    take_shot "$what"
    "$@" && return 0
    sleep 0.3
  done
  fail "timed out waiting for $what (last screenshot $shot)"
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
