#!/usr/bin/env bash
# The time every file of a release carries, so that the same commit gives
# the same zip and package: SOURCE_DATE_EPOCH when the caller sets it, else
# the last commit's time, else (a tree that is not a git checkout) the time
# of its newest file outside build folders.
# Usage: source-date-epoch.sh SOURCE_DIR
set -eu
src=$(cd "$1" && pwd -P)
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  echo "$SOURCE_DATE_EPOCH"
elif top=$(git -C "$src" rev-parse --show-toplevel 2>/dev/null) &&
     [ "$(cd "$top" && pwd -P)" = "$src" ] &&
     stamp=$(git -C "$src" log -1 --format=%ct 2>/dev/null) && [ -n "$stamp" ]; then
  echo "$stamp"
else
  find "$src" \( -name .git -o -name 'build*' \) -prune -o -type f -printf '%T@\n' |
    sort -n | tail -n 1 | cut -d. -f1
fi
