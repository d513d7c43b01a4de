#!/usr/bin/env bash
# The real game as a player starts it, measured from Linux: the time from
# the command to the shown main window, and the processor time the game
# takes while it sits idle (read from /proc, which also sees what Wine's own
# process times do not).  Needs an X display (tools/start-xvfb.sh).
#   bash bench/program_start.sh [build dir]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
exe=$build/win32/shell/quorvel.exe
[ -f "$exe" ] || { echo "no $exe: build first" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || { echo "needs an X display (source tools/start-xvfb.sh)" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$exe" "$scratch/"
printf '[Settings]\r\nConfirmExit=0\r\n' > "$scratch/quorvel.ini"
echo "executable size: $(stat -c %s "$exe") bytes"

for run in 1 2 3; do
  start=$(date +%s%N)
  "$build/win32/wine-run" "$scratch/quorvel.exe" &
  runner=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name 'Quorvel v2.1' | head -n 1)
  shown=$(date +%s%N)
  echo "run $run: command to shown window $(( (shown - start) / 1000000 )) ms"
  if [ "$run" = 1 ]; then
    sleep 2
    pid=$(pgrep -f "$scratch/quorvel.exe" | tail -n 1)
    ticks=$(getconf CLK_TCK)
    before=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    sleep 10
    after=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    echo "processor time while idle for 10 s: $(( (after - before) * 1000 / ticks )) ms"
  fi
  xdotool key --window "$window" x >/dev/null 2>&1 || true
  timeout 20 tail --pid="$runner" -f /dev/null || kill "$runner" 2>/dev/null || true
done
