#!/usr/bin/env bash
# The jackpot screen and the dialog zoom as a player sees them: the effects
# run in the one-thread screen_effects_test program while this script, a
# process of its own, photographs the X screen (ImageMagick's import) as
# fast as it can and checks the pictures.
# The program runs as a player's game does: through the player's launcher,
# with its windows managed by openbox, so the covers must also go over the
# window manager's frames and leave them as they were.
# Usage: screen_effects_seen.sh TEST_EXE LAUNCHER WORK_DIR JACKPOT_BMP PLAYER_HOME
# Without a DISPLAY it starts its own Xvfb.  Every wait is bounded.
set -u
exe=$(realpath -m "$1")
launcher=$(realpath -m "$2")
work=$(realpath -m "$3")
jackpot_bmp=$4
export XDG_DATA_HOME=$(realpath -m "$5")
e2e_name=screen_effects_seen
. "$(dirname "$0")/e2e_lib.sh"
e2e_need_wine

# A wrong picture is counted and the other checks still run; what stops
# the run fails at once.
failures=0
wrong() {
  echo "$e2e_name: FAIL: $*" >&2
  failures=$((failures + 1))
}

need_tools import convert compare identify pgrep
[ -f "$exe" ] || fail "no program at $exe"
[ -f "$jackpot_bmp" ] || fail "no picture at $jackpot_bmp"
e2e_display
mkdir -p "$work"
e2e_window_manager "$work/openbox.log"

program_pid=
finish() {
  stop_tree "$program_pid"
  e2e_finish
}
trap finish EXIT

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

await() {              # marker, within 60 s or while the program runs
  local i
  for i in $(seq 600); do
    [ -e "$1" ] && return 0
    kill -0 "$program_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# The latest of the program's markers that exists now.
phase() {
  local p=start m
  for m in go shown closing over done; do
    [ -e "$m" ] && p=$m
  done
  echo "$p"
}

# Screenshots until the program marks "done".  Each line of shots.txt:
# file, the phase before and after the shot (a shot is only counted for a
# phase when both agree), and the milliseconds at its start and end.
shoot_until_done() {
  local n=0 before after t0 t1 file
  : >shots.txt
  while [ ! -e done ]; do
    kill -0 "$program_pid" 2>/dev/null || break
    n=$((n + 1))
    file=$(printf 'shot-%03d.png' "$n")
    before=$(phase)
    t0=$(now_ms)
    import -window root "$file" || fail "no screenshot"
    t1=$(now_ms)
    after=$(phase)
    echo "$file $before $after $t0 $t1" >>shots.txt
    [ "$n" -ge 300 ] && break
  done
}

# How many pixels differ between two pictures.
differing() {
  compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# The bounding box of the differences, as WIDTHxHEIGHT+X+Y.
difference_box() {
  convert "$1" "$2" -compose difference -composite -threshold 0 -format '%@' info:
}

run_case() {           # name gtest-filter
  local dir="$work/$1"
  rm -rf "$dir"
  mkdir -p "$dir"
  cd "$dir" || fail "no directory $dir"
  timeout -k 10 120 sh "$launcher" "$exe" --gtest_also_run_disabled_tests \
    --gtest_filter="$2" >program.log 2>&1 &
  program_pid=$!
  await ready || fail "$1: the program did not get ready: $(tail -5 program.log)"
  import -window root before.png || fail "no screenshot"
  go_ms=$(now_ms)
  touch go
  shoot_until_done
  await done || fail "$1: the program did not finish the effect: $(tail -5 program.log)"
  import -window root after.png || fail "no screenshot"
  touch finish
  wait "$program_pid"
  local status=$?
  program_pid=
  grep -E "^(jackpot|About)" program.log
  [ "$status" -eq 0 ] || wrong "$1: the program failed: $(tail -20 program.log)"
}

# ---- Jackpot screen ----------------------------------------------------------
# Every shot is the screen before, the picture on black, the same inverted,
# or the screen before again; in time: picture, inverted, picture.  Shots
# from after the program's return ("over") are left out: under a window
# manager the uncovered windows may show their pixels again only when the
# program next looks at its queue.  The screen after that must be as before.

run_case jackpot '*DISABLED_JackpotScreenFromOutside'
read -r sw sh < <(identify -format '%w %h\n' before.png)
read -r bw bh < <(identify -format '%w %h\n' "$jackpot_bmp")
convert -size "${sw}x${sh}" xc:black "$jackpot_bmp" -geometry "+$((sw / 2 - bw / 2))+$((sh / 2 - bh / 2))" \
  -composite -type TrueColor picture.png
convert picture.png -negate inverted.png
sequence=
previous=
declare -A first_ms=()
while read -r file p0 p1 t0 t1; do
  [ "$p0" = go ] && [ "$p1" = go ] || continue
  if [ "$(differing "$file" before.png)" = 0 ]; then kind=B
  elif [ "$(differing "$file" picture.png)" = 0 ]; then kind=P
  elif [ "$(differing "$file" inverted.png)" = 0 ]; then kind=I
  else kind=X
  fi
  if [ "$kind" != "$previous" ]; then
    sequence="$sequence$kind"
    first_ms[${#sequence}]=$(( (t0 + t1) / 2 - go_ms ))
    previous=$kind
  fi
done <shots.txt
echo "jackpot screen seen: $sequence (shots: $(wc -l <shots.txt))"
for i in $(seq ${#sequence}); do
  echo "  ${sequence:i-1:1} from about ${first_ms[$i]} ms after go"
done
[[ "$sequence" =~ ^B?PIPB?$ ]] ||
  wrong "jackpot: the screen showed $sequence, not the picture, inverted, the picture (X: other)"
[ "$(differing after.png before.png)" = 0 ] || wrong "jackpot: the screen was not restored"

# ---- Zoom ----------------------------------------------------------------------
# Opening: outlines on the unchanged table, growing from shot to shot.
# Closing: outlines on the shown dialog, shrinking.  Afterwards the screen is
# as before.

# For the phase's shots that differ from a picture in fewer than `limit`
# pixels: the width of the box around the differences and the time of the
# shot (ms after go).
trail() {              # phase reference limit
  local file p0 p1 t0 t1 n
  while read -r file p0 p1 t0 t1; do
    [ "$p0" = "$1" ] && [ "$p1" = "$1" ] || continue
    n=$(differing "$file" "$2")
    [ "$n" -gt 0 ] && [ "$n" -lt "$3" ] || continue
    echo "$(difference_box "$file" "$2" | cut -dx -f1) $(( (t0 + t1) / 2 - go_ms ))"
  done <shots.txt
}

# "first to last ms" of a trail.
trail_span() {
  awk 'NR == 1 { f = $2 } { l = $2 } END { if (NR) print f " to " l " ms after go" }'
}

# Widths that only grow (or only shrink) and change at least twice.
moves() {              # up|down widths...
  local way=$1 last= changes=0 w
  shift
  for w in "$@"; do
    if [ -n "$last" ] && [ "$w" != "$last" ]; then
      if [ "$way" = up ] && [ "$w" -lt "$last" ]; then return 1; fi
      if [ "$way" = down ] && [ "$w" -gt "$last" ]; then return 1; fi
      changes=$((changes + 1))
    fi
    last=$w
  done
  [ "$changes" -ge 2 ]
}

run_case zoom '*DISABLED_AboutBoxZoomFromOutside'
# Three dotted outlines are a few thousand pixels; the box itself far more.
limit=12000
trail go before.png $limit >opening.txt
dialog=$(awk '$2 == "shown" && $3 == "shown" { f = $1 } END { print f }' shots.txt)
[ -n "$dialog" ] || fail "zoom: no shot of the open dialog"
trail closing "$dialog" $limit >closing.txt
opening=$(cut -d' ' -f1 opening.txt | tr '\n' ' ')
closing=$(cut -d' ' -f1 closing.txt | tr '\n' ' ')
echo "zoom seen: opening outline widths: $opening($(trail_span <opening.txt))"
echo "           closing outline widths: $closing($(trail_span <closing.txt))"
# shellcheck disable=SC2086
moves up $opening || wrong "zoom: no outlines growing on the screen while the box opened"
# shellcheck disable=SC2086
moves down $closing || wrong "zoom: no outlines shrinking on the screen while the box closed"
[ "$(differing after.png before.png)" = 0 ] || wrong "zoom: the screen is not as before"

[ "$failures" -eq 0 ] || exit 1
echo "screen_effects_seen: pass"
