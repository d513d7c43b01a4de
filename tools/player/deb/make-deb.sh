#!/usr/bin/env bash
# Builds the Debian package for Linux players: the Windows game and its odds
# analyser (stripped), the quorvel launcher, a desktop entry, icons made from
# the game's own icon, a manual page and the package documents.
# The same inputs give the same bytes: fixed modes and times (the release's,
# from EPOCH_FILE), an installed size counted from the files rather than the
# disk they are on, and one compressor thread whatever the machine has.
# Usage: make-deb.sh OUT.deb GAME.exe ODDS.exe ICON.ico SOURCE_DIR EPOCH_FILE STAGE_DIR VERSION
set -eu
umask 022
out=$1 game=$2 odds=$3 icon=$4 src=$5 stamp=$(cat "$6") stage=$7 version=$8
here=$src/tools/player/deb

rm -rf "$stage"
root=$stage/root
mkdir -p "$root/DEBIAN" "$root/usr/games" "$root/usr/lib/quorvel" \
  "$root/usr/share/applications" "$root/usr/share/man/man6" "$root/usr/share/doc/quorvel"

# Games start from /usr/games, which is on every player's PATH.
install -m 0755 "$src/tools/player/quorvel-launcher.sh" "$root/usr/games/quorvel"
ln -s quorvel "$root/usr/games/quorvel-odds"
# The debug sections are of no use to a player.  strip stamps a program with
# the time it runs, unless given the release's.
export SOURCE_DATE_EPOCH=$stamp
i686-w64-mingw32-strip -o "$root/usr/lib/quorvel/quorvel.exe" "$game"
i686-w64-mingw32-strip -o "$root/usr/lib/quorvel/quorvel-odds.exe" "$odds"
chmod 0644 "$root/usr/lib/quorvel/"*.exe
install -m 0644 "$src/tools/player/classic-colours.reg" "$root/usr/lib/quorvel/classic-colours.reg"
install -m 0644 "$src/tools/player/wine-prefix.sh" "$root/usr/lib/quorvel/wine-prefix.sh"
install -m 0644 "$here/quorvel.desktop" "$root/usr/share/applications/quorvel.desktop"

# The icon resource holds a 32 and a 16 pixel picture; 64 is the 32 with
# every pixel doubled, so it stays sharp.  No time stamps in the files.
for size in 16 32 64; do
  mkdir -p "$root/usr/share/icons/hicolor/${size}x${size}/apps"
done
convert "$icon[1]" -strip "png:$root/usr/share/icons/hicolor/16x16/apps/quorvel.png"
convert "$icon[0]" -strip "png:$root/usr/share/icons/hicolor/32x32/apps/quorvel.png"
convert "$icon[0]" -filter point -resize 64x64 -strip \
  "png:$root/usr/share/icons/hicolor/64x64/apps/quorvel.png"

sed "s/@VERSION@/$version/" "$here/quorvel.6" | gzip -9n >"$root/usr/share/man/man6/quorvel.6.gz"
ln -s quorvel.6.gz "$root/usr/share/man/man6/quorvel-odds.6.gz"
gzip -9n <"$here/changelog.Debian" >"$root/usr/share/doc/quorvel/changelog.Debian.gz"
install -m 0644 "$here/copyright" "$root/usr/share/doc/quorvel/copyright"
# Not an upload to Debian: there is no bug for the first version to close.
mkdir -p "$root/usr/share/lintian/overrides"
echo "quorvel: initial-upload-closes-no-bugs" >"$root/usr/share/lintian/overrides/quorvel"

# As dpkg-gencontrol counts: each file's KiB rounded up, 1 for anything else.
size=$(cd "$root" && find usr \( -type f -printf '%s\n' \) -o -printf '1\n' |
       awk '{ total += int(($1 + 1023) / 1024) } END { print total }')
sed -e "s/@INSTALLED_SIZE@/$size/" -e "s/@VERSION@/$version/" "$here/control.in" >"$root/DEBIAN/control"
(cd "$root" && find usr -type f | LC_ALL=C sort | xargs md5sum) >"$root/DEBIAN/md5sums"
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"
find "$root" -exec touch -h -d "@$stamp" {} +

dpkg-deb --root-owner-group -Zxz --threads-max=1 --build "$root" "$out" >/dev/null
echo "make-deb: $out"
