# Sourced: starts Xvfb on a free display for this shell, exports DISPLAY and
# arranges for the server to go when the shell exits.
for n in $(seq 90 140); do
  [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break
done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
QUORVEL_XVFB_PID=$!
export DISPLAY=":$n"
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X$n" ] && break
  sleep 0.1
done
trap 'kill $QUORVEL_XVFB_PID 2>/dev/null' EXIT
