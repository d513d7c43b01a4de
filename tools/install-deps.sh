#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12 and 13, and nothing when it
# is all there already, so a second run costs a few milliseconds: the Debian
# packages, then the browser tests' npm packages from their lockfile.
# With package names as arguments it installs those instead, in the same
# way (tools/test-in-debian.sh needs mmdebstrap on the host).
set -eu

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

explicit=$#
if [ $# -gt 0 ]; then
  for p in "$@"; do have "$p" || need+=("$p"); done
else
  for p in cmake make g++ googletest libgtest-dev libbenchmark-dev libfreetype-dev libpng-dev \
           fonts-dejavu-core fonts-liberation2 python3-fonttools python3-brotli \
           g++-mingw-w64-i686 wine fonts-wine xvfb xauth xdotool imagemagick zip \
           openbox x11-utils \
           pulseaudio pulseaudio-utils sox lintian clang libclang-rt-dev \
           wasi-libc libc++-dev-wasm32 libclang-rt-dev-wasm32 lld llvm binaryen \
           nodejs chromium \
           firefox-esr webkit2gtk-driver; do
    have "$p" || need+=("$p")
  done
  # firefox-esr and webkit2gtk-driver (WebKitWebDriver, and MiniBrowser
  # from the library it needs) are the browser suite's other two engines.
  # A Node.js from elsewhere may carry its own npm (and conflict with Debian's).
  command -v npm >/dev/null || have npm || need+=("npm")
  have wine32:i386 || need+=("wine32:i386")
  # Wine reaches a PulseAudio server through the 32-bit client library.
  have libpulse0:i386 || need+=("libpulse0:i386")
fi

# The browser tests' packages (playwright-core drives Debian's chromium,
# puppeteer-core its firefox-esr, selenium-webdriver WebKitWebDriver; no
# browser is downloaded), installed from the committed lockfile, again only
# when node_modules is missing or older than the lockfile.
web_tests=$(cd "$(dirname "$0")/../tests/web" && pwd)
npm_packages() {
  [ "$explicit" = 0 ] || return 0
  local lock=$web_tests/package-lock.json stamp=$web_tests/node_modules/.package-lock.json
  [ -f "$stamp" ] && [ ! "$stamp" -ot "$lock" ] && return 0
  echo "install-deps: npm ci in $web_tests" >&2
  (cd "$web_tests" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
  touch "$stamp"
}

if [ ${#need[@]} -eq 0 ]; then
  npm_packages
  exit 0
fi

if [ "$(id -u)" != 0 ]; then
  echo "missing packages: ${need[*]}; run this as root (or install them yourself)" >&2
  exit 1
fi
case " ${need[*]} " in
  *":i386"*) dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
esac
export DEBIAN_FRONTEND=noninteractive
began=$(date +%s)
# A mirror caught mid-sync fails one index now and then ("File has unexpected
# size"); try again, and then go on with the indexes that did arrive, which
# is what apt itself falls back to.
updated=
for try in 1 2 3; do
  apt-get update -qq && { updated=1; break; }
  [ "$try" = 3 ] || sleep $((try * 5))
done
[ -n "$updated" ] || echo "install-deps: apt-get update failed three times; installing from the indexes at hand" >&2
apt_install() { apt-get install -y -qq --no-install-recommends "$@" "${need[@]}" >/dev/null; }
if ! apt_install && [ -z "$updated" ]; then
  # Where only one architecture's security index arrived, a library's amd64
  # and i386 halves (which must be of one version) have no common candidate.
  # The release's own versions exist for both: take those this time.
  pin=$(mktemp)
  printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$pin"
  echo "install-deps: installing the release's versions, without the security updates" >&2
  apt_install -o Dir::Etc::Preferences="$pin"
  rm -f "$pin"
fi
echo "install-deps: ${#need[@]} packages and what they need installed in $(( $(date +%s) - began )) s" >&2
npm_packages
