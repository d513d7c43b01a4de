#!/usr/bin/env bash
# Plays one game of the real quorvel.exe through the X server, as a person
# would: keys and clicks by xdotool, and a screenshot after each step that
# is checked by its pixels.  Usage: play_game.sh EXE WINE_RUN WORK_DIR
# Without a DISPLAY it starts its own Xvfb.  Every wait is bounded; the
# game is stopped if it does not exit by itself.
set -u
exe=$1
wine_run=$2
work=$3
e2e_name=play_game
. "$(dirname "$0")/e2e_lib.sh"

need_tools xdotool import convert compare pgrep
[ -f "$exe" ] || fail "no program at $exe"
e2e_display

rm -rf "$work"
mkdir -p "$work"
cp "$exe" "$work/quorvel.exe"
# Fast deals, the exit question on, no sound or zoom; the table stays blue.
printf '[Settings]\r\nFastDeal=1\r\nConfirmExit=1\r\nSound=0\r\nZoom=0\r\nCardBack=1\r\n' \
  >"$work/quorvel.ini"

game_pid=
finish() {
  stop_tree "$game_pid"
  e2e_finish
}
trap finish EXIT

# Out of the way, so that the status line keeps its first text.
xdotool mousemove 1 1
QUORVEL_WINE_TIMEOUT=120 "$wine_run" "$work/quorvel.exe" >"$work/wine.log" 2>&1 &
game_pid=$!

# ---- Screen helpers --------------------------------------------------------

shot_no=0
shot=
take_shot() {          # name
  shot_no=$((shot_no + 1))
  shot="$work/$(printf '%02d' $shot_no)-$1.png"
  import -window root "$shot" || fail "no screenshot"
}

pixel() {              # x y (client coordinates) -> RRGGBB
  convert "$shot" -format "%[hex:p{$((cx + $1)),$((cy + $2))}]" info: | cut -c1-6
}

# Fraction (0..1, two decimals) of pure white pixels in a client rectangle.
white_share() {        # x y w h
  convert "$shot" -crop "$3x$4+$((cx + $1))+$((cy + $2))" +repage \
    -fill black +opaque white -format '%[fx:round(mean*100)/100]' info:
}

# Number of pixels that differ between the same rectangle of two shots.
differing() {          # shot_a shot_b x y w h
  local geometry="$5x$6+$((cx + $3))+$((cy + $4))"
  convert "$1" -crop "$geometry" +repage "$work/a.png"
  convert "$2" -crop "$geometry" +repage "$work/b.png"
  compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1
}

card_x() { echo $((45 + 81 * $1)); }

crop_card() {          # slot file
  convert "$shot" -crop "71x96+$((cx + $(card_x "$1")))+$((cy + 50))" +repage "$2"
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
    share=$(white_share "$(card_x $slot)" 50 71 96)
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
  while [ $SECONDS -lt $end ]; do
    take_shot "$what"
    "$@" && return 0
    sleep 0.3
  done
  fail "timed out waiting for $what (last screenshot $shot)"
}

key() {
  xdotool key "$1"
  sleep 0.3
}

windows_named() { xdotool search --name '^Quorvel v2\.1$' 2>/dev/null | wc -l; }

# ---- The game ---------------------------------------------------------------

end=$((SECONDS + 60))
until [ "$(windows_named)" -ge 1 ]; do
  [ $SECONDS -lt $end ] || fail "the window never appeared (see $work/wine.log)"
  kill -0 "$game_pid" 2>/dev/null || fail "the program ended at start (see $work/wine.log)"
  sleep 0.5
done
window=$(xdotool search --name '^Quorvel v2\.1$' | head -1)
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = 490 ] || fail "window width $WIDTH, not 490"

# The client area starts at the black separator line under the menu bar,
# with the blue felt below it.
take_shot start
cx=$X
cy=
for dy in $(seq 10 80); do
  above=$(convert "$shot" -format "%[hex:p{$((X + 240)),$((Y + dy))}]" info: | cut -c1-6)
  below=$(convert "$shot" -format "%[hex:p{$((X + 240)),$((Y + dy + 1))}]" info: | cut -c1-6)
  if [ "$above" = 000000 ] && [ "$below" = 0000FF ]; then
    cy=$((Y + dy))
    break
  fi
done
[ -n "$cy" ] || fail "no table below the menu bar in $shot"
for dx in $(seq 0 10); do
  if [ "$(convert "$shot" -format "%[hex:p{$((X + dx)),$((cy + 100))}]" info: | cut -c1-6)" = 0000FF ]; then
    cx=$((X + dx))
    break
  fi
done
echo "play_game: window at $X,$Y, client area at $cx,$cy"

# The posted New has run: five backs, the message line black.
wait_for 10 backs cards_are backs
[ "$(pixel 240 250)" != 0000FF ] || fail "no title box ($shot)"
before_coins=$shot

# Focus by a click on the title box (no card there), then two coins.
xdotool mousemove $((cx + 100)) $((cy + 250)) click 1
sleep 0.3
key c
key c
take_shot two-coins
two_coins=$shot
[ "$(differing "$before_coins" "$two_coins" 130 301 225 30)" -gt 0 ] \
  || fail "the credit meter did not change after two coins ($two_coins)"
[ "$(differing "$before_coins" "$two_coins" 180 5 125 30)" -gt 0 ] \
  || fail "the coins meter did not change after two coins ($two_coins)"

# The deal: five faces, the Deal button now reads "Hit".
key d
wait_for 10 dealt cards_are faces
dealt=$shot
[ "$(differing "$two_coins" "$dealt" 334 5 71 30)" -gt 0 ] \
  || fail "the Deal button did not change its caption ($dealt)"

# F1 holds the first card: "HOLD" on its button, none on the second.
key F1
take_shot held
held=$shot
[ "$(differing "$dealt" "$held" 45 163 71 30)" -gt 20 ] \
  || fail "no HOLD caption under the first card ($held)"
[ "$(differing "$dealt" "$held" 126 163 71 30)" -eq 0 ] \
  || fail "the second hold button changed ($held)"

# A click on the fourth card holds it too.
xdotool mousemove $((cx + $(card_x 3) + 35)) $((cy + 98)) click 1
sleep 0.4
take_shot clicked
clicked=$shot
[ "$(differing "$dealt" "$clicked" 288 163 71 30)" -gt 20 ] \
  || fail "no HOLD caption under the clicked card ($clicked)"
[ "$(differing "$held" "$clicked" 45 163 71 30)" -eq 0 ] \
  || fail "the first card's HOLD changed ($clicked)"

# The draw: the held cards stay, the round ends and the captions clear.
key d
sleep 1.5
wait_for 10 drawn cards_are faces
drawn=$shot
for slot in 0 3; do
  [ "$(differing "$held" "$drawn" "$(card_x $slot)" 50 71 96)" -eq 0 ] \
    || fail "the held card $slot changed in the draw ($drawn)"
  [ "$(differing "$dealt" "$drawn" "$(card_x $slot)" 163 71 30)" -le 20 ] \
    || fail "the HOLD caption $slot stayed after the round ($drawn)"
done
# A losing hand shows "Insert coins." as after New, and the credit meter
# stays at 38; a winning hand shows its payoff and raises the meter.
message_y=$((HEIGHT - (cy - Y) - 3 - 75))   # a band around the message line
if [ "$(differing "$before_coins" "$drawn" 20 "$message_y" 444 45)" -eq 0 ]; then
  [ "$(differing "$two_coins" "$drawn" 130 301 225 30)" -eq 0 ] \
    || fail "the credit meter changed after a losing hand ($drawn)"
  echo "play_game: the hand paid nothing"
else
  [ "$(differing "$two_coins" "$drawn" 130 301 225 30)" -gt 0 ] \
    || fail "the credit meter did not rise after a winning hand ($drawn)"
  echo "play_game: the hand was paid"
fi

sleep 4     # a winning hand's flash has ended

# Caps Lock through the X server lights "CAPS" in the status line, inside
# the window; a second press puts it out (and leaves the keys as they were).
status_y=$((HEIGHT - (cy - Y) - 3 - 22))    # a band around the lock panes
take_shot caps-off
caps_off=$shot
key Caps_Lock
take_shot caps-on
[ "$(differing "$caps_off" "$shot" 300 "$status_y" 184 20)" -gt 10 ] \
  || fail "no CAPS shown inside the window after Caps Lock ($shot)"
key Caps_Lock
take_shot caps-off-again
[ "$(differing "$caps_off" "$shot" 300 "$status_y" 184 20)" -eq 0 ] \
  || fail "CAPS stayed after Caps Lock was put out ($shot)"

# x asks "Leave Quorvel?" in a box with the same title; Return answers Yes.
key x
end=$((SECONDS + 10))
until [ "$(windows_named)" -ge 2 ]; do
  [ $SECONDS -lt $end ] || fail "no exit question after x"
  sleep 0.3
done
take_shot question
key Return
end=$((SECONDS + 20))
while kill -0 "$game_pid" 2>/dev/null; do
  [ $SECONDS -lt $end ] || fail "the program did not exit after Yes"
  sleep 0.3
done
wait "$game_pid"
status=$?
[ "$status" = 0 ] || fail "exit code $status"
grep -q 'FastDeal=1' "$work/quorvel.ini" || fail "the settings were not written on exit"
echo "play_game: a whole game played; screenshots in $work"
