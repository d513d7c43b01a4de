#!/usr/bin/env bash
# Two whole builds of one commit must give the same release, byte for byte:
# clones the commit twice into folders of different names and builds each in
# turn (so at different times, the second also in another time zone, locale
# and umask), then compares the programs, the zip, the package and
# SHA256SUMS, and prints the sums of both.  Takes two full builds' time.
#   bash tools/check-reproducible.sh [commit, default HEAD] [scratch dir]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$here" rev-parse "${1:-HEAD}")
scratch=${2:-$(mktemp -d /tmp/quorvel-reproducible.XXXXXX)}
bash "$here/tools/install-deps.sh"

build_one() {   # folder name
  local dir=$scratch/$1
  rm -rf "$dir"
  git clone -q --no-checkout "$here" "$dir/src"
  git -C "$dir/src" checkout -q "$commit"
  # Only the release matters here, not the fuzz tree.
  cmake -S "$dir/src" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_FUZZ=OFF >/dev/null
  cmake --build "$dir/build" -j "$(nproc)" >"$dir/build.log" 2>&1 ||
    { tail -n 30 "$dir/build.log"; echo "the build in $dir failed" >&2; exit 1; }
}
echo "building $commit in $scratch/one"
build_one one
echo "building $commit in $scratch/second-build"
(export TZ=America/St_Johns LC_ALL=C.UTF-8; umask 002; build_one second-build)

status=0
release=$(cd "$scratch/one/build/win32" && ls quorvel-*.zip quorvel_*_all.deb)
for file in shell/quorvel.exe odds/quorvel-odds.exe $release SHA256SUMS; do
  a=$scratch/one/build/win32/$file b=$scratch/second-build/build/win32/$file
  if cmp -s "$a" "$b"; then
    echo "same: $file"
  else
    echo "DIFFERENT: $file"
    command -v diffoscope >/dev/null && diffoscope "$a" "$b" | head -n 80
    status=1
  fi
done
for side in one second-build; do
  echo "== $side/build/win32/SHA256SUMS"
  cat "$scratch/$side/build/win32/SHA256SUMS"
done
[ $status -eq 0 ] && echo "reproducible: $commit" || echo "NOT reproducible: $commit (builds kept in $scratch)"
exit $status
