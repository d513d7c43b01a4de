#!/usr/bin/env bash
# Plays one game of the real quorvel.exe through the X server, as a person
# would: keys and clicks by xdotool, and a screenshot after each step that
# is checked by its pixels.  The game runs as players run it: through the
# player's launcher (managed windows) under a window manager, openbox, so
# the title bar, activation by a click, minimising, moving, another
# program's window over the table, owned dialogs and the zoom cover are
# checked on the way.  Usage: play_game.sh EXE LAUNCHER WORK_DIR PLAYER_HOME
# PLAYER_HOME is the player's data folder (Wine prefix), kept between runs.
# Without a DISPLAY it starts its own Xvfb.  Every wait is bounded; the
# game, the other program and the window manager are stopped by their ids.
set -u
exe=$(realpath -m "$1")
launcher=$(realpath -m "$2")
work=$(realpath -m "$3")
e2e_name=play_game
. "$(dirname "$0")/e2e_lib.sh"
e2e_need_wine

need_tools xdotool import convert compare pgrep xwininfo xprop xmessage
[ -f "$exe" ] || fail "no program at $exe"
e2e_display

rm -rf "$work"
mkdir -p "$work"
export XDG_DATA_HOME=$(realpath -m "$4")
player="$XDG_DATA_HOME/quorvel"
mkdir -p "$player"
# Fast deals, the exit question on, no sound; a short zoom for the cover
# check; the table stays blue.
printf '[Settings]\r\nFastDeal=1\r\nConfirmExit=1\r\nSound=0\r\nZoom=1\r\nZoomSteps=40\r\nCardBack=1\r\n' \
  >"$player/quorvel.ini"

game_pid= other_pid= caps_presses=0
finish() {
  # Caps Lock as it was, for whatever runs on this X server next.
  [ $((caps_presses % 2)) = 0 ] || xdotool key Caps_Lock
  stop_tree "$game_pid"
  stop_tree "$other_pid"
  WINEPREFIX="$player/wineprefix" timeout 20 wineserver -k 2>/dev/null
  e2e_finish
}
trap finish EXIT
e2e_window_manager "$work/openbox.log"

# Out of the way, so that the status line keeps its first text.
xdotool mousemove 1 1
timeout -k 10 200 sh "$launcher" "$exe" >"$work/game.log" 2>&1 &
game_pid=$!

# ---- Screen helpers --------------------------------------------------------

pixel() {              # x y (client coordinates) -> RRGGBB
  convert "$shot" -format "%[hex:p{$((cx + $1)),$((cy + $2))}]" info: | cut -c1-6
}

# Number of pixels that differ between the same rectangle of two shots.
differing() {          # shot_a shot_b x y w h
  local geometry="$5x$6+$((cx + $3))+$((cy + $4))"
  convert "$1" -crop "$geometry" +repage "$work/a.png"
  convert "$2" -crop "$geometry" +repage "$work/b.png"
  compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1
}

key() {
  [ "$1" != Caps_Lock ] || caps_presses=$((caps_presses + 1))
  xdotool key "$1"
  sleep 0.3
}

windows_named() { xdotool search --name '^Quorvel v2\.1$' 2>/dev/null | wc -l; }

# ---- The game ---------------------------------------------------------------

end=$((SECONDS + 60))
until [ "$(windows_named)" -ge 1 ]; do
  [ $SECONDS -lt $end ] || fail "the window never appeared (see $work/game.log)"
  kill -0 "$game_pid" 2>/dev/null || fail "the program ended at start (see $work/game.log)"
  sleep 0.5
done
window=$(xdotool search --name '^Quorvel v2\.1$' | head -1)
echo "play_game: the window after $SECONDS s"
sleep 1.5

# The window manager's frame: a title bar with the title and its buttons.
take_shot start
read -r _ _ frame_top _ < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -d ',' | cut -d= -f2)
[ "${frame_top:-0}" -ge 10 ] || fail "no title bar from the window manager (frame top ${frame_top:-none})"
e2e_client_area "$window" "$shot" || fail "no table below the menu bar in $shot"
read -r wx wy ww wh < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 }
  /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 } /Height:/ { print x, y, w, $2 }')
[ "$ww" = 484 ] || fail "client width $ww, not 484"
client_h=$((wy + wh - cy))
title_colours() {      # shot -> colours in the title bar's right half (text, buttons)
  convert "$1" -crop "$((ww / 2))x$((frame_top - 4))+$((wx + ww / 2))+$((wy - frame_top + 2))" \
    +repage -format %k info:
}
[ "$(title_colours "$shot")" -ge 4 ] || fail "the title bar shows no title or buttons ($shot)"
echo "play_game: frame top $frame_top, client area at $cx,$cy, ${ww}x$client_h"

# Moved by the window manager: everything shows again at the new place,
# and the game plays there.
convert "$shot" -crop "${ww}x$client_h+$cx+$cy" +repage "$work/client-before-move.png"
xdotool windowmove --sync "$window" 60 40
sleep 1
take_shot moved
e2e_client_area "$window" "$shot" || fail "no table after the move ($shot)"
convert "$shot" -crop "${ww}x$client_h+$cx+$cy" +repage "$work/client-moved.png"
same_picture "$work/client-before-move.png" "$work/client-moved.png" \
  || fail "the moved window does not show the same picture ($shot)"
read -r wx wy < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 }
  /Absolute upper-left Y/ { print x, $4 }')
echo "play_game: moved, client area at $cx,$cy"

# The posted New has run: five backs, the message line black.
wait_for 10 backs cards_are backs
[ "$(pixel $title_mx $title_my)" != 0000FF ] || fail "no title box ($shot)"
before_coins=$shot

# Focus by a click on the title box (no card there), then two coins.
xdotool mousemove $((cx + title_mx)) $((cy + title_my)) click 1
sleep 0.3
key c
key c
take_shot two-coins
two_coins=$shot
[ "$(differing "$before_coins" "$two_coins" $credits_box)" -gt 0 ] \
  || fail "the credit meter did not change after two coins ($two_coins)"
[ "$(differing "$before_coins" "$two_coins" $coins_box)" -gt 0 ] \
  || fail "the coins meter did not change after two coins ($two_coins)"

# The deal: five faces, the Deal button now reads "Hit".
key d
wait_for 10 dealt cards_are faces
dealt=$shot
[ "$(differing "$two_coins" "$dealt" $deal_button)" -gt 0 ] \
  || fail "the Deal button did not change its caption ($dealt)"

# Minimised, the window leaves the screen; restored, all of it is painted
# again as it was.
client_shot() {       # shot file [height]
  convert "$1" -crop "${ww}x${3:-$client_h}+$cx+$cy" +repage "$2"
}
client_shot "$dealt" "$work/client-dealt.png"
xdotool windowminimize --sync "$window"
sleep 0.5
xwininfo -id "$window" | grep -q 'IsViewable' && fail "the window is still shown after minimising"
xdotool windowactivate --sync "$window"
sleep 1
take_shot restored
client_shot "$shot" "$work/client-restored.png"
same_picture "$work/client-dealt.png" "$work/client-restored.png" \
  || fail "the restored window is not painted as before ($shot)"
# Under Wine 10 the restored window is shown active but the keyboard stays
# with the window manager until the player clicks it (Wine 8 takes it).
if [ "$(xdotool getwindowfocus 2>/dev/null)" != "$window" ]; then
  echo "play_game: no keyboard after restoring; a click on the felt gives it"
  xdotool mousemove $((cx + 10)) $((cy + 250)) click 1
  sleep 0.5
fi

# F1 holds the first card: "HOLD" on its button, none on the second.
key F1
take_shot held
held=$shot
[ "$(differing "$dealt" "$held" $(hold_button 0))" -gt 20 ] \
  || fail "no HOLD caption under the first card ($held)"
[ "$(differing "$dealt" "$held" $(hold_button 1))" -eq 0 ] \
  || fail "the second hold button changed ($held)"

# A click on the fourth card holds it too.
read -r x y < <(card_middle 3)
xdotool mousemove $((cx + x)) $((cy + y)) click 1
sleep 0.4
take_shot clicked
clicked=$shot
[ "$(differing "$dealt" "$clicked" $(hold_button 3))" -gt 20 ] \
  || fail "no HOLD caption under the clicked card ($clicked)"
[ "$(differing "$held" "$clicked" $(hold_button 0))" -eq 0 ] \
  || fail "the first card's HOLD changed ($clicked)"

# The draw: the held cards stay, the round ends and the captions clear.
key d
sleep 1.5
wait_for 10 drawn cards_are faces
drawn=$shot
for slot in 0 3; do
  [ "$(differing "$held" "$drawn" $(card_place $slot))" -eq 0 ] \
    || fail "the held card $slot changed in the draw ($drawn)"
  [ "$(differing "$dealt" "$drawn" $(hold_button $slot))" -le 20 ] \
    || fail "the HOLD caption $slot stayed after the round ($drawn)"
done
# A losing hand shows "Insert coins." as after New, and the credit meter
# stays at 38; a winning hand shows its payoff and raises the meter.
# The message line itself: a taller band would take in the credits box's
# digits where a tall title bar leaves the table short (Wine 10).
status_h=23    # the status line's height with Wine's fonts, 8 and 10 alike
message_y=$((client_h - status_h - kMessageAboveStatus - kMessageHeight))
if [ "$(differing "$before_coins" "$drawn" "$kMessageSide" "$message_y" $((ww - 2 * kMessageSide)) "$kMessageHeight")" -eq 0 ]; then
  [ "$(differing "$two_coins" "$drawn" $credits_box)" -eq 0 ] \
    || fail "the credit meter changed after a losing hand ($drawn)"
  echo "play_game: the hand paid nothing"
else
  [ "$(differing "$two_coins" "$drawn" $credits_box)" -gt 0 ] \
    || fail "the credit meter did not rise after a winning hand ($drawn)"
  echo "play_game: the hand was paid"
fi

sleep 4     # a winning hand's flash has ended

# Caps Lock through the X server lights "CAPS" in the status line, inside
# the window; a second press puts it out (and leaves the keys as they were).
status_y=$((client_h - 22))    # a band around the lock panes
take_shot caps-off
caps_off=$shot
caps_differs() { differing "$caps_off" "$shot" 300 "$status_y" 184 20; }
key Caps_Lock
take_shot caps-on
[ "$(caps_differs)" -gt 10 ] || fail "no CAPS shown inside the window after Caps Lock ($shot)"
key Caps_Lock
take_shot caps-off-again
[ "$(caps_differs)" -eq 0 ] || fail "CAPS stayed after Caps Lock was put out ($shot)"

active() { xdotool getactivewindow 2>/dev/null; }
wait_active() {        # window seconds
  local end=$((SECONDS + $2))
  until [ "$(active)" = "$1" ]; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}
# Another program's window over the table (not the status line), holding
# the keyboard.
other_program() {
  xmessage -title quorvel-other -geometry "300x110+$((cx + 90))+$((cy + 45))" \
    "another program" 2>/dev/null &
  other_pid=$!
  local end=$((SECONDS + 10))
  until other=$(xdotool search --name '^quorvel-other$' 2>/dev/null | head -1) && [ -n "$other" ]; do
    [ $SECONDS -lt $end ] || fail "xmessage showed no window"
    sleep 0.1
  done
  xdotool windowactivate --sync "$other"
  wait_active "$other" 5 || fail "the other program did not get the keyboard"
  sleep 0.3
}
close_other() { stop_tree "$other_pid"; other_pid=; }

# Caps Lock pressed in the other program; when it closes, the game repaints
# the uncovered table and is active again.  Wine learns of a lock changed
# elsewhere only from the next key that reaches the game (and not on the
# activation), so the pane may lag until then; after a key (Shift here) it
# must show CAPS, and the game's own press must put it out again.
other_program
key Caps_Lock
close_other
if wait_active "$window" 2; then
  echo "play_game: the window manager gave the game the keyboard back"
else
  xdotool windowactivate --sync "$window"
fi
sleep 0.5
take_shot caps-on-elsewhere
[ "$(caps_differs)" -gt 10 ] && echo "play_game: CAPS shown on activation" \
  || echo "play_game: CAPS not yet shown on activation"
key shift
take_shot caps-on-after-a-key
[ "$(caps_differs)" -gt 10 ] \
  || fail "CAPS not shown though Caps Lock went on in another program ($shot)"
key Caps_Lock
take_shot caps-off-in-game
[ "$(caps_differs)" -eq 0 ] \
  || fail "the CAPS pane is not blank after Caps Lock went off in the game ($shot)"

# A click on the table activates the game and brings it over the other
# program's window again (the status line's card name follows the mouse).
take_shot before-other
client_shot "$shot" "$work/client-before-other.png" $((client_h - 25))
other_program
xdotool mousemove $((cx + 20)) $((cy + 300)) click 1
wait_active "$window" 5 || fail "a click on the table did not activate the game"
sleep 0.5
take_shot clicked-back
client_shot "$shot" "$work/client-clicked-back.png" $((client_h - 25))
same_picture "$work/client-before-other.png" "$work/client-clicked-back.png" \
  || fail "the game is not whole over the other program after the click ($shot)"
close_other

# Options (o) is zoomed open on a cover over the whole screen, above every
# window; then it stands owned by the game and on top, and stays on top
# when the game is clicked; after Escape no cover is left.
# The window manager's top window, and whether a window is owned by the game.
top_window() { xprop -root _NET_CLIENT_LIST_STACKING | awk -F'# ' '{ n = split($2, w, ", "); print w[n] }'; }
hex() { printf '0x%x' "$1"; }
owned() { xprop -id "$1" WM_TRANSIENT_FOR | grep -qi "# $(hex "$window")\$"; }
# xwininfo lists the screen's windows from the top down; the window
# manager's own 1x1 helper window is left out.
cover_on_top() {       # the top shown window covers the whole screen
  local id info
  for id in $(xwininfo -root -children | awk '/^ +0x/ { print $1 }'); do
    info=$(xwininfo -id "$id")
    grep -q IsViewable <<<"$info" && ! grep -q 'Width: 1$' <<<"$info" || continue
    grep -q 'Width: 1024' <<<"$info" && grep -q 'Height: 768' <<<"$info"
    return
  done
  return 1
}
no_cover() {
  local id
  for id in $(xdotool search --onlyvisible --class quorvel.exe 2>/dev/null); do
    xwininfo -id "$id" | grep -q 'Width: 1024' && return 1
  done
  return 0
}
take_shot before-options
before_options=$shot
key_time=$SECONDS
xdotool key o
covered=
end=$((SECONDS + 5))
until [ $SECONDS -ge $end ]; do
  if cover_on_top; then covered=1; take_shot zoom; break; fi
  sleep 0.05
done
[ -n "$covered" ] || fail "no cover over the screen while the Options dialog zooms open"
end=$((SECONDS + 10))
until dialog=$(xdotool search --onlyvisible --name '^Options$' 2>/dev/null | head -1) && [ -n "$dialog" ] \
      && no_cover; do
  [ $SECONDS -lt $end ] || fail "no Options dialog after o, or the cover stayed ($shot)"
  sleep 0.2
done
sleep 0.3
take_shot options
owned "$dialog" || fail "the Options dialog is not owned by the game's window"
xdotool mousemove $((cx + 20)) $((cy + 300)) click 1
sleep 0.5
take_shot options-clicked-under
[ "$(top_window)" = "$(hex "$dialog")" ] || fail "the Options dialog is not on top after a click on the game ($shot)"
e2e_give_keyboard "$dialog" || echo "play_game: X's focus is not on the Options dialog"
e2e_answer_box "$dialog" Escape 10 || fail "Escape did not close the Options dialog"
end=$((SECONDS + 10))
while xdotool search --onlyvisible --name '^Options$' >/dev/null 2>&1 || ! no_cover; do
  [ $SECONDS -lt $end ] || fail "the Options dialog or its cover stayed after Escape"
  sleep 0.2
done
sleep 0.5
take_shot options-closed
same_picture "$before_options" "$shot" \
  || fail "the screen is not as before the Options dialog ($shot)"
echo "play_game: Options with its zoom took $((SECONDS - key_time)) s"

# x asks "Leave Quorvel?" in a box with the same title; Return answers Yes,
# and it is that box that goes.
key x
question=$(e2e_wait_box "$window" '^Quorvel v2\.1$' 10) || fail "no exit question after x"
take_shot question
owned "$question" || fail "the exit question is not owned by the game's window"
[ "$(top_window)" = "$(hex "$question")" ] || fail "the exit question is not on top ($shot)"
e2e_give_keyboard "$question" || echo "play_game: X's focus is not on the exit question"
e2e_answer_box "$question" Return 10 || fail "Return did not answer the exit question"
end=$((SECONDS + 20))
while kill -0 "$game_pid" 2>/dev/null; do
  [ $SECONDS -lt $end ] || fail "the program did not exit after Yes"
  sleep 0.3
done
wait "$game_pid"
status=$?
[ "$status" = 0 ] || fail "exit code $status"
grep -q 'FastDeal=1' "$player/quorvel.ini" || fail "the settings were not written on exit"
echo "play_game: a whole game played; screenshots in $work"
