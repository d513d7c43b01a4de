#!/usr/bin/env bash
# Packs the browser edition for any static web host: quorvel-web/ with every
# file of the page.  The same inputs give the same bytes: every entry in name
# order with the release's time (in UTC, as zip stores local times) and fixed
# permissions, and no extra fields (owners, Unix times).
# Usage: make-web-zip.sh OUT.zip PAGE_DIR EPOCH_FILE STAGE_DIR
set -eu
umask 022
out=$(realpath -m "$1") page=$2 stamp=$(cat "$3") stage=$4

rm -rf "$stage"
mkdir -p "$stage"
cp -R "$page" "$stage/quorvel-web"
find "$stage/quorvel-web" -type d -exec chmod 0755 {} +
find "$stage/quorvel-web" -type f -exec chmod 0644 {} +
find "$stage" -exec touch -h -d "@$stamp" {} +
rm -f "$out"
(cd "$stage" && find quorvel-web | LC_ALL=C sort | TZ=UTC0 zip -q -X -@ "$out")
