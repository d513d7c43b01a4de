# Sourced: starts Xvfb on a free display for this shell, exports DISPLAY and
# arranges for the server to go when the shell exits.  Xvfb picks the
# display itself (-displayfd): it skips numbers whose socket is taken, even
# where this /tmp cannot see the other server's lock file (a chroot shares
# the host's abstract X sockets).
quorvel_xvfb_fd=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$quorvel_xvfb_fd" >/dev/null 2>&1 &
QUORVEL_XVFB_PID=$!
for _ in $(seq 100); do
  [ -s "$quorvel_xvfb_fd" ] && break
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$quorvel_xvfb_fd")"
rm -f "$quorvel_xvfb_fd"
trap 'kill $QUORVEL_XVFB_PID 2>/dev/null' EXIT
