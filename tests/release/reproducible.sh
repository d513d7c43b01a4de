#!/usr/bin/env bash
# The release steps run again from this build's objects and inputs, in
# another folder, at another time, in another time zone and with another
# umask: both programs are linked again, the zip and the package made again
# and the sums written again, and every one must equal the build's byte for
# byte.  (tools/check-reproducible.sh compares two whole builds.)
# Usage: reproducible.sh WIN32_BUILD_DIR SOURCE_DIR GENERATED_DIR WORK_DIR VERSION
set -eu
win=$(realpath "$1") src=$(realpath "$2") generated=$(realpath "$3") work=$(realpath -m "$4")
zip=quorvel-$5.zip deb=quorvel_$5-1_all.deb web=quorvel-web-$5.zip
rm -rf "$work"
mkdir -p "$work/Quorvel"
export TZ=Pacific/Chatham
umask 077

# The link step as CMake wrote it, with the outputs sent to the work folder.
relink() {   # target directory, program name
  local cmd
  cmd=$(tail -n 1 "$win/$1/CMakeFiles/$2.dir/link.txt")
  cmd=${cmd/ -o $2.exe / -o $work/$2.exe }
  cmd=${cmd/--out-implib,lib$2.dll.a/--out-implib,$work/lib$2.dll.a}
  (cd "$win/$1" && eval "$cmd")
}
relink shell quorvel
relink odds quorvel-odds

bash "$src/tools/make-zip.sh" "$work/$zip" "$work/quorvel.exe" "$work/quorvel-odds.exe" \
  "$generated/player-readme.txt" "$win/source-date-epoch.txt" "$work/release-files"
bash "$src/tools/player/deb/make-deb.sh" "$work/$deb" "$work/quorvel.exe" \
  "$work/quorvel-odds.exe" "$generated/art/QuorvelIcon.ico" "$src" "$win/source-date-epoch.txt" \
  "$work/deb-stage" "$5" >/dev/null
# The browser edition, packed from the page the native build put together.
web_sums=()
if [ -f "$win/$web" ]; then
  bash "$src/tools/make-web-zip.sh" "$work/$web" "$(dirname "$win")/web" "$win/source-date-epoch.txt" \
    "$work/web-release-files"
  web_sums=("$work" "$web")
fi
bash "$src/tools/sha256sums.sh" "$work/SHA256SUMS" "$work" "$zip" \
  "$work" "$deb" "${web_sums[@]}" "$work/release-files" Quorvel/quorvel.exe \
  "$work/release-files" Quorvel/quorvel-odds.exe

status=0
for pair in shell/quorvel.exe:quorvel.exe odds/quorvel-odds.exe:quorvel-odds.exe \
            "$zip:$zip" "$deb:$deb" $([ -f "$win/$web" ] && echo "$web:$web") \
            SHA256SUMS:SHA256SUMS; do
  built=$win/${pair%%:*} again=$work/${pair##*:}
  if cmp -s "$built" "$again"; then
    echo "same: ${pair%%:*}"
  else
    echo "DIFFERENT: $built and $again"
    if command -v diffoscope >/dev/null; then
      diffoscope "$built" "$again" | head -n 60
    else
      cmp -l "$built" "$again" | head -n 20
    fi
    status=1
  fi
done
[ $status -eq 0 ] && rm -rf "$work"
exit $status
