#!/usr/bin/env bash
# Writes SHA256SUMS for a release: each file named as the player has it,
# relative to the folder given with it.
# Usage: sha256sums.sh OUT DIR NAME [DIR NAME ...]
set -eu
out=$(realpath -m "$1")
shift
: >"$out.new"
while [ $# -ge 2 ]; do
  (cd "$1" && sha256sum "$2") >>"$out.new"
  shift 2
done
mv "$out.new" "$out"
