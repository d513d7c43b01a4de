#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 and 13, and nothing when it
# is all there already, so a second run costs a few milliseconds.
set -eu

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

for p in cmake make g++ googletest libgtest-dev libbenchmark-dev libfreetype-dev \
         fonts-dejavu-core g++-mingw-w64-i686 wine fonts-wine xvfb xauth xdotool imagemagick zip \
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
# libFuzzer and the sanitizer runtimes come with the default clang's runtime
# package; should a release lack the unversioned name, take clang's own.
case " ${need[*]} " in
  *" libclang-rt-dev "*)
    if ! apt-cache show libclang-rt-dev >/dev/null 2>&1; then
      apt-get install -y -qq --no-install-recommends clang >/dev/null
      major=$(clang --version | sed -n 's/.*clang version \([0-9]*\).*/\1/p' | head -n 1)
      need=("${need[@]/#libclang-rt-dev/libclang-rt-$major-dev}")
    fi ;;
esac
apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
