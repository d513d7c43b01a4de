#!/usr/bin/env bash
# What the Windows release weighs and where the bytes go: the zip and the
# programs in it, the game's sections (resources against code), what each
# library adds to the game, and what the game would weigh with the compiler
# defaults for its own code (exceptions, run-time type information, unwind
# tables, -O3, no garbage collection of sections).  Measured, never asserted.
#   bash bench/release_size.sh [build dir]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
win=$build/win32
zip=$(ls "$win"/quorvel-*.zip 2>/dev/null | head -n 1)
[ -n "$zip" ] || { echo "no release zip in $win: build first" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cxx=i686-w64-mingw32-g++-posix

echo "== $zip: $(stat -c %s "$zip") bytes"
unzip -l "$zip" | sed -n '4,$p'
unzip -q "$zip" -d "$scratch"
game=$scratch/Quorvel/quorvel.exe

echo
echo "== sections of the released quorvel.exe (bytes)"
i686-w64-mingw32-objdump -h "$game" | awk '
  function hex(s,   i, v) {   # "0x1f" or "1f" to a number (mawk has no strtonum)
    sub(/^0x/, "", s); v = 0
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return v
  }
  /^ +[0-9]+ \./ {
    size = hex($3); printf "  %-10s %8d\n", $2, size
    if ($2 != ".bss") total += size     # .bss takes no room in the file
    if ($2 == ".rsrc") rsrc = size
  } END {
    printf "  resources %d, everything else %d\n", rsrc, total - rsrc
  }'

# The link again, with a map, to see what each library brings.
link() {   # output, extra options...
  local out=$1; shift
  "$cxx" -O3 -mwindows -static -static-libgcc -static-libstdc++ "$@" -o "$out" \
    -lcomctl32 -lcomdlg32 -lwinmm -lgdi32 -luser32 -lkernel32
  i686-w64-mingw32-strip -o "$out.stripped" "$out"
}
res=$win/resources/CMakeFiles/quorvel_resources.dir/quorvel.rc.res
main_obj=$(ls "$win"/shell/CMakeFiles/quorvel.dir/main.cpp.obj)
libs="$win/shell/libquorvel_win.a $win/engine/libquorvel_engine.a
      $win/settings/libquorvel_settings_file.a $win/settings/libquorvel_settings.a"
# shellcheck disable=SC2086
link "$scratch/game.exe" "$main_obj" "$res" $libs -Wl,--gc-sections -Wl,-Map,"$scratch/game.map"
echo
echo "== what each part adds to the game, from the link map (bytes, not counting debug sections)"
awk '
  function hex(s,   i, v) {   # "0x1f" or "1f" to a number (mawk has no strtonum)
    sub(/^0x/, "", s); v = 0
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return v
  }
  function add(name, size, file) {
    if (name ~ /^\.debug/ || name ~ /^\.bss/ || file == "") return
    sub(/\(.*\)$/, "", file); n = split(file, p, "/"); file = p[n]
    part[file] += size
  }
  /^Linker script and memory map/ { on = 1; next }
  !on { next }
  /^ \.[^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ +[^ ]+/ { add($1, hex($3), $4); next }
  /^ \.[^ ]+$/ { pending = $1; next }
  pending != "" && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ +[^ ]+/ { add(pending, hex($2), $3) }
  { pending = "" }
  END { for (f in part) if (part[f] >= 512) printf "  %8d  %s\n", part[f], f }
' "$scratch/game.map" | sort -rn

# The game's own code built with the compiler defaults instead.
echo
echo "== the game's code built with the compiler defaults (stripped bytes)"
mkdir -p "$scratch/plain"
for src in "$here"/shell/*.cpp "$here"/presentation/*.cpp "$here"/dialogs/*.cpp \
           "$here"/shell/win32/*.cpp "$here"/presentation/win32/*.cpp "$here"/dialogs/win32/*.cpp \
           "$here"/engine/*.cpp "$here"/settings/*.cpp "$here"/settings/win32/*.cpp; do
  echo "$src"
done | xargs -P "$(nproc)" -I{} sh -c \
  "$cxx -std=c++17 -O3 -DNDEBUG -I'$here' -c {} -o '$scratch/plain/'\$(basename {} .cpp).o"
link "$scratch/plain.exe" "$scratch"/plain/*.o "$res"
printf '  %-58s %8d\n' "released quorvel.exe" "$(stat -c %s "$game")" \
  "relinked from the build's objects" "$(stat -c %s "$scratch/game.exe.stripped")" \
  "defaults: -O3, exceptions, RTTI, unwind tables, no gc" "$(stat -c %s "$scratch/plain.exe.stripped")"
echo
echo "== quorvel-odds.exe: $(stat -c %s "$scratch/Quorvel/quorvel-odds.exe") bytes in the zip," \
     "$(stat -c %s "$win/odds/quorvel-odds.exe") as built"
