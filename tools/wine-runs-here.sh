#!/usr/bin/env bash
# Exits 0 when this machine can run the game under Wine, else 1 with the
# reason on stderr.  The game is a 32-bit program and Wine runs it in a
# 32-bit process, which needs a kernel that executes i386 code: some
# virtual machines' kernels refuse it (execve answers ENOEXEC, "Exec format
# error").  The Wine tests then report themselves skipped, saying why,
# rather than failing for the machine.
loader=
for f in /lib/ld-linux.so.2 /usr/lib/i386-linux-gnu/ld-linux.so.2; do
  [ -e "$f" ] && { loader=$f; break; }
done
# No 32-bit loader yet: Wine's own start will say what is missing.
[ -n "$loader" ] || exit 0
out=$("$loader" --version 2>&1) && exit 0
status=$?
if [ "$status" = 126 ] || printf '%s' "$out" | grep -qi 'exec format error'; then
  echo "this machine's kernel cannot run 32-bit programs ($loader: Exec format error), so Wine cannot run the 32-bit game here" >&2
  exit 1
fi
exit 0
