#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 and 13, and nothing when it
# is all there already, so a second run costs a few milliseconds.
set -eu

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

for p in cmake make g++ googletest libgtest-dev libbenchmark-dev libfreetype-dev \
         fonts-dejavu-core g++-mingw-w64-i686 wine fonts-wine xvfb xauth xdotool imagemagick zip \
         openbox x11-utils \
         pulseaudio pulseaudio-utils sox lintian clang libclang-rt-dev; do
  have "$p" || need+=("$p")
done
have wine32:i386 || need+=("wine32:i386")
# Wine reaches a PulseAudio server through the 32-bit client library.
have libpulse0:i386 || need+=("libpulse0:i386")

[ ${#need[@]} -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
  echo "missing packages: ${need[*]}; run this as root (or install them yourself)" >&2
  exit 1
fi
case " ${need[*]} " in
  *":i386"*) dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
esac
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
