#!/usr/bin/env bash
# Listens to the real quorvel.exe as a player would: the game runs through
# the player's launcher in a Wine prefix with sound, a private PulseAudio
# daemon plays into a null sink, and the sink's monitor is recorded (parec)
# and measured (sox).  With Sound on, a coin, the deal and the five card
# drops are each heard when they should be; with Sound off, nothing is.
# Usage: sound_game.sh EXE LAUNCHER WORK_DIR [PLAYER_HOME]
# The player's data (prefix and settings) is kept in PLAYER_HOME (default
# WORK_DIR.home), since a new prefix takes a minute.  The game runs under a
# window manager, as players have.  Every wait is bounded; the daemon, the
# recorder, the window manager and the game are stopped by their ids.
set -u
# Absolute paths: the audio server ignores a relative runtime directory.
exe=$(realpath -m "$1")
launcher=$(realpath -m "$2")
work=$(realpath -m "$3")
e2e_name=sound_game
. "$(dirname "$0")/e2e_lib.sh"
e2e_need_wine

need_tools pulseaudio pactl parec sox xdotool awk flock
[ -f "$exe" ] || fail "no program at $exe"
e2e_display

rm -rf "$work"
mkdir -p "$work"
export XDG_DATA_HOME=$(realpath -m "${4:-$work.home}")
player="$XDG_DATA_HOME/quorvel"
mkdir -p "$player"
# Nobody else's audio server: ours lives in a runtime directory of its own,
# short enough for the socket path's limit.
XDG_RUNTIME_DIR=$(mktemp -d /tmp/quorvel-sound.XXXXXX) || fail "no runtime directory"
export XDG_RUNTIME_DIR
unset PULSE_SERVER PULSE_SINK

pa_pid= rec_pid= game_pid=
finish() {
  stop_tree "$game_pid"
  stop_tree "$rec_pid"
  WINEPREFIX="$player/wineprefix" timeout 20 wineserver -k 2>/dev/null
  stop_tree "$pa_pid"
  rm -rf "$XDG_RUNTIME_DIR"
  e2e_finish
}
trap finish EXIT
e2e_window_manager "$work/openbox.log"

# No session bus: looking for one (dbus-launch through X) can take seconds.
DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=stderr \
  --load="module-null-sink sink_name=quorvel_test" --load=module-native-protocol-unix \
  >"$work/pulseaudio.log" 2>&1 &
pa_pid=$!
end=$((SECONDS + 30))
until pactl info >/dev/null 2>&1; do
  [ $SECONDS -lt $end ] || fail "the PulseAudio daemon did not start (see $work/pulseaudio.log)"
  sleep 0.2
done

now() { date +%s.%N; }

# Plays a coin and a deal with Sound=$1, recording into $2.  Leaves the
# key times in coin_at and deal_at and the wall clock time of the
# recording's first sample in rec_start.
round() {
  local sound=$1 rec=$2
  printf '[Settings]\r\nSound=%s\r\nFastDeal=0\r\nZoom=0\r\nConfirmExit=0\r\nCardBack=1\r\n' \
    "$sound" >"$player/quorvel.ini"
  # A monitor read at a low latency keeps the null sink rendering as a sound
  # card does, in small blocks; left to itself it renders two seconds ahead
  # and the short effects mixed in later never reach the recording.
  parec --latency-msec=20 -d quorvel_test.monitor --file-format=wav "$rec" &
  rec_pid=$!
  local end=$((SECONDS + 15))
  until [ "$(stat -c %s "$rec" 2>/dev/null || echo 0)" -gt 4000 ]; do
    [ $SECONDS -lt $end ] || fail "parec records nothing"
    sleep 0.02
  done
  # The wall clock time of the first sample: each look at the file's size
  # (s16le, two channels, 44100 Hz: what the sink's monitor gives) dates
  # it no earlier than it was; the earliest of half a second's looks is
  # the closest.  The monitor sees a sound as the sink mixes it, a block
  # (20 ms) before it would leave a loudspeaker.
  rec_start=
  for _ in $(seq 25); do
    rec_start=$(awk -v t="$(now)" -v b="$(stat -c %s "$rec")" -v r="$rec_start" \
      'BEGIN { s = t - (b - 44) / 176400; if (r == "" || s < r) r = s; printf "%.3f", r }')
    sleep 0.02
  done

  timeout -k 10 240 sh "$launcher" "$exe" >"$work/game-$sound.log" 2>&1 &
  game_pid=$!
  end=$((SECONDS + 200))        # a new prefix is made on the first start
  local window=
  until window=$(xdotool search --name '^Quorvel v2\.1$' 2>/dev/null | head -1) && [ -n "$window" ]; do
    [ $SECONDS -lt $end ] || fail "the window never appeared (see $work/game-$sound.log)"
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended at start (see $work/game-$sound.log)"
    sleep 0.5
  done
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # Focus by a click on the felt below the title box, away from any card.
  xdotool mousemove $((X + 240)) $((Y + 290)) click 1
  sleep 1
  coin_at=$(now)
  xdotool key c
  sleep 1.5
  deal_at=$(now)
  xdotool key d
  sleep 3.5
  xdotool key x
  end=$((SECONDS + 20))
  while kill -0 "$game_pid" 2>/dev/null; do
    [ $SECONDS -lt $end ] || fail "the game did not exit after x"
    sleep 0.3
  done
  wait "$game_pid"
  game_pid=
  sleep 0.5
  # parec writes the WAV header's sizes when it ends.
  stop_tree "$rec_pid"
  rec_pid=
  sox --i "$rec" >/dev/null 2>&1 || fail "the recording $rec is not a WAV file"
}

# Stretches of sound in a recording, as "start end offset": wall clock
# seconds and the largest mean of a window (a click shifts it towards full
# scale; the effects themselves swing around zero).  10 ms windows whose RMS
# is above 1% of full scale, joined across gaps of up to 40 ms.
stretches() {          # rec rec_start
  sox "$1" -c 1 -t dat - | awk -v t0="$2" '
    /^;/ { next }
    { sum += $2 * $2; mean += $2; n++
      if (n == 441) { rms = sqrt(sum / n); mean = mean < 0 ? -mean / n : mean / n
        at = w * 0.01; w++; sum = 0; n = 0
        if (rms > 0.01) {
          if (open && at - last <= 0.05) { last = at + 0.01; if (mean > dc) dc = mean }
          else { if (open) printf "%.3f %.3f %.2f\n", t0 + first, t0 + last, dc
                 open = 1; first = at; last = at + 0.01; dc = mean } }
        mean = 0 } }
    END { if (open) printf "%.3f %.3f %.2f\n", t0 + first, t0 + last, dc }'
}

# ---- Sound off: nothing at all --------------------------------------------
round 0 "$work/sound-off.wav"
level=$(sox "$work/sound-off.wav" -n stat 2>&1 | awk '/Maximum amplitude/ { print $3 }')
awk -v l="$level" 'BEGIN { exit !(l < 0.01) }' \
  || fail "sound off, yet the recording peaks at $level ($work/sound-off.wav)"
echo "sound_game: Sound off: silence (peak $level)"

# ---- Sound on: coin, deal, five card drops --------------------------------
round 1 "$work/sound-on.wav"
stretches "$work/sound-on.wav" "$rec_start" >"$work/sound-on.txt"
level=$(sox "$work/sound-on.wav" -n stat 2>&1 | awk '/RMS     amplitude/ { print $3 }')
echo "sound_game: Sound on: RMS $level over the recording; stretches of sound (wall clock):"
cat "$work/sound-on.txt"

awk -v coin="$coin_at" -v deal="$deal_at" '
  { start[NR] = $1; stop[NR] = $2
    if ($3 > 0.3) { printf "a click (a 10 ms mean of %.2f) at %.3f\n", $3, $1; clicked = 1 } }
  END {
    if (clicked) exit 1
    # The recording is dated to within a few hundredths of a second: a
    # sound counts from 0.1 s before its key.
    slack = 0.1
    # The coin: the first sound after its key, 0.37 s long, before the deal.
    for (i = 1; i <= NR && start[i] < coin - slack; i++) ;
    if (i > NR || start[i] > deal - slack) { print "no coin drop heard"; exit 1 }
    if (stop[i] - start[i] < 0.25) { printf "the coin drop lasted only %.2f s\n", stop[i] - start[i]; exit 1 }
    printf "coin: %.0f ms after its key, %.2f s long\n", (start[i] - coin) * 1000, stop[i] - start[i]
    # The deal, then a card drop for each of the five cards, 320 ms apart.
    for (; i <= NR && start[i] < deal - slack; i++) ;
    heard = 0
    for (j = i; j <= NR && start[j] < deal + 3.2; j++) {
      heard++
      printf "%s: %.0f ms after the deal key\n", heard == 1 ? "deal" : "card " (heard - 1), (start[j] - deal) * 1000
    }
    if (heard < 6) { printf "after the deal key only %d sounds, not the deal and five cards\n", heard; exit 1 }
    if (start[j - 1] - start[i + 1] < 4 * 0.32 * 0.6) { print "the card drops came too close together"; exit 1 }
  }' "$work/sound-on.txt" >"$work/verdict.txt"
status=$?
cat "$work/verdict.txt"
[ $status = 0 ] || fail "$(tail -1 "$work/verdict.txt") (see $work/sound-on.wav)"
echo "sound_game: every sound heard at its time; recordings in $work"
