#!/usr/bin/env bash
# Packs the release zip for Windows players: Quorvel/ with both programs
# (stripped) and the README.  The same inputs give the same bytes: every
# entry in name order with the release's time (in UTC, as zip stores local
# times) and fixed permissions, and no extra fields (owners, Unix times).
# Usage: make-zip.sh OUT.zip GAME.exe ODDS.exe README.txt EPOCH_FILE STAGE_DIR
set -eu
umask 022
out=$(realpath -m "$1") game=$2 odds=$3 readme=$4 stamp=$(cat "$5") stage=$6

rm -rf "$stage"
mkdir -p "$stage/Quorvel"
# strip stamps a program with the time it runs, unless given the release's.
SOURCE_DATE_EPOCH=$stamp i686-w64-mingw32-strip --strip-all -o "$stage/Quorvel/quorvel.exe" "$game"
SOURCE_DATE_EPOCH=$stamp i686-w64-mingw32-strip --strip-all -o "$stage/Quorvel/quorvel-odds.exe" "$odds"
cp "$readme" "$stage/Quorvel/README.txt"
chmod 0755 "$stage/Quorvel"
chmod 0644 "$stage/Quorvel/"*
find "$stage" -exec touch -h -d "@$stamp" {} +
rm -f "$out"
(cd "$stage" && find Quorvel | LC_ALL=C sort | TZ=UTC0 zip -q -X -@ "$out")
