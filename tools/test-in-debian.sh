#!/usr/bin/env bash
# Runs the README's test command in a fresh root of another Debian release:
#   bash tools/test-in-debian.sh trixie
# makes the root with mmdebstrap (amd64 with i386 for wine32), clones the
# committed tree into it, mounts what Xvfb, Wine and PulseAudio need, runs
# `bash tools/test.sh` there and exits with its status.  Whatever happens,
# it stops the processes left in the root, unmounts what it mounted and
# removes the root (QUORVEL_KEEP_ROOT=1 keeps it for a look afterwards).
set -eu
suite=${1:?usage: test-in-debian.sh SUITE (for example trixie)}
here=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" = 0 ] || { echo "test-in-debian.sh: run it as root" >&2; exit 1; }

# Through install-deps, which rides out a mirror caught mid-sync.
command -v mmdebstrap >/dev/null || bash "$here/tools/install-deps.sh" mmdebstrap
command -v mmdebstrap >/dev/null || { echo "test-in-debian.sh: no mmdebstrap" >&2; exit 1; }

# The host's own Debian mirror also serves the other releases.
mirror=${QUORVEL_DEBIAN_MIRROR:-$(sed -n 's|^URIs: *\(http[^ ]*/debian\)/*$|\1|p' \
  /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1)}
mirror=${mirror:-http://deb.debian.org/debian}

root=$(mktemp -d "/var/tmp/quorvel-$suite.XXXXXX")
mounted=()
runner=

teardown() {
  local status=$? pid link i
  [ -z "$runner" ] || kill "$runner" 2>/dev/null
  # Anything still running inside the root (a wineserver, an Xvfb left by
  # a killed test) would hold its mounts.
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    link=$(readlink "/proc/$pid/root" 2>/dev/null) || continue
    case "$link" in "$root"|"$root"/*) kill -9 "$pid" 2>/dev/null ;; esac
  done
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
    umount -R "${mounted[$i]}" 2>/dev/null || umount -lR "${mounted[$i]}" 2>/dev/null || true
  done
  if grep -q " $root" /proc/mounts; then
    echo "test-in-debian.sh: mounts left under $root; not removing it" >&2
  elif [ "${QUORVEL_KEEP_ROOT:-0}" = 1 ]; then
    echo "test-in-debian.sh: root kept at $root"
  else
    rm -rf "$root"
  fi
  exit "$status"
}
trap teardown EXIT
trap 'exit 130' INT TERM

echo "test-in-debian.sh: making a $suite root from $mirror"
start=$(date +%s)
mmdebstrap --quiet --variant=apt --architectures=amd64,i386 \
  --include=git,ca-certificates,procps "$suite" "$root" "$mirror"
echo "test-in-debian.sh: root made in $(( $(date +%s) - start )) s"

# A clean clone: what is committed, not the work tree's build or leftovers.
git clone -q "$here" "$root/root/quorvel"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# The certificate authorities this host added: without them npm cannot
# reach its registry from the root (SELF_SIGNED_CERT_IN_CHAIN).
set -- /usr/local/share/ca-certificates/*.crt
if [ -e "$1" ]; then
  mkdir -p "$root/usr/local/share/ca-certificates"
  cp "$@" "$root/usr/local/share/ca-certificates/"
  chroot "$root" update-ca-certificates >/dev/null
fi

mount -t proc proc "$root/proc";               mounted+=("$root/proc")
mount --rbind /sys "$root/sys";                mounted+=("$root/sys")
mount --make-rslave "$root/sys"
mount --rbind /dev "$root/dev";                mounted+=("$root/dev")
mount --make-rslave "$root/dev"
mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"; mounted+=("$root/tmp")

# A clean environment, as a new user's root shell has; no terminal.
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb \
  PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  CI="${CI:-}" bash -c 'cd /root/quorvel && bash tools/test.sh' </dev/null &
runner=$!
status=0
wait "$runner" || status=$?
runner=
echo "test-in-debian.sh: $suite finished with status $status after $(( $(date +%s) - start )) s"
exit "$status"
