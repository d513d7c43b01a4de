#!/usr/bin/env bash
# The Debian package as a Linux player gets it: its fields and files, what
# lintian says, and its launcher run from the package unpacked into a
# scratch root (never installed), with HOME in a scratch directory: the
# first start sets the player's Wine prefix up, the game's window appears,
# and quorvel.ini is written under that HOME when the game is left.
# Usage: deb_package.sh PACKAGE.deb ICON.ico WORK_DIR VERSION
set -u
deb=$(realpath -m "$1")
icon=$(realpath -m "$2")
work=$(realpath -m "$3")
version=$4
e2e_name=deb_package
. "$(dirname "$0")/e2e_lib.sh"

e2e_need_wine
need_tools dpkg-deb lintian xdotool convert compare pgrep
[ -f "$deb" ] || fail "no package at $deb"
rm -rf "$work"
mkdir -p "$work"

# ---- Fields ----------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorvel ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version-1" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = all ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
depends=$(field Depends | tr -d ' ')
for need in wine wine32; do
  case ",$depends," in *",$need,"*) ;; *) fail "Depends: $depends lacks $need" ;; esac
done
[[ "$(field Installed-Size)" =~ ^[0-9]+$ ]] || fail "Installed-Size: $(field Installed-Size)"
[ "$(basename "$deb")" = "quorvel_${version}-1_all.deb" ] || fail "named $(basename "$deb")"

# ---- Files: exactly these, owned by root, programs read-only ---------------
dpkg-deb -c "$deb" | awk '{ sub(/^\.\//, "", $6); if ($6 != "" && $6 !~ /\/$/) print $1, $2, $6 }' \
  | LC_ALL=C sort -k3 >"$work/files.txt"
cat >"$work/expected.txt" <<'EOF'
-rw-r--r-- root/root usr/lib/quorvel/classic-colours.reg
-rw-r--r-- root/root usr/lib/quorvel/quorvel-odds.exe
-rw-r--r-- root/root usr/lib/quorvel/quorvel.exe
-rw-r--r-- root/root usr/lib/quorvel/wine-prefix.sh
-rw-r--r-- root/root usr/share/applications/quorvel.desktop
-rw-r--r-- root/root usr/share/doc/quorvel/changelog.Debian.gz
-rw-r--r-- root/root usr/share/doc/quorvel/copyright
-rw-r--r-- root/root usr/share/icons/hicolor/16x16/apps/quorvel.png
-rw-r--r-- root/root usr/share/icons/hicolor/32x32/apps/quorvel.png
-rw-r--r-- root/root usr/share/icons/hicolor/64x64/apps/quorvel.png
-rw-r--r-- root/root usr/share/lintian/overrides/quorvel
-rw-r--r-- root/root usr/share/man/man6/quorvel.6.gz
-rwxr-xr-x root/root usr/games/quorvel
lrwxrwxrwx root/root usr/games/quorvel-odds
lrwxrwxrwx root/root usr/share/man/man6/quorvel-odds.6.gz
EOF
LC_ALL=C sort -k3 -o "$work/expected.txt" "$work/expected.txt"
diff "$work/expected.txt" "$work/files.txt" >"$work/files.diff" \
  || fail "the package's files differ from the expected list: $(cat "$work/files.diff")"

# ---- lintian: no errors and no warnings ------------------------------------
lintian --no-tag-display-limit "$deb" >"$work/lintian.txt" 2>&1
grep -E '^[EW]: ' "$work/lintian.txt" && fail "lintian complains (see $work/lintian.txt)"

# ---- Unpacked: programs, icons, manual page ---------------------------------
root=$work/root
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
for exe in quorvel quorvel-odds; do
  [ "$(head -c 2 "$root/usr/lib/quorvel/$exe.exe")" = MZ ] || fail "$exe.exe is not a Windows program"
done
# The icons are the game's own: the 32 and 16 pixel pictures of its icon
# resource, and the 32 one doubled.
for size in 16 32 64; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/quorvel.png
  [ "$(identify -format '%m %wx%h' "$png")" = "PNG ${size}x${size}" ] || fail "$png is not a ${size}px PNG"
done
[ "$(compare -metric AE "$icon[0]" "$root/usr/share/icons/hicolor/32x32/apps/quorvel.png" null: 2>&1)" = 0 ] \
  || fail "the 32px icon is not the game's icon"
[ "$(compare -metric AE "$icon[1]" "$root/usr/share/icons/hicolor/16x16/apps/quorvel.png" null: 2>&1)" = 0 ] \
  || fail "the 16px icon is not the game's icon"
grep -q '^Exec=quorvel$' "$root/usr/share/applications/quorvel.desktop" || fail "the desktop entry does not start quorvel"
zcat "$root/usr/share/man/man6/quorvel.6.gz" | grep -q '^\.TH QUORVEL 6' || fail "no manual page"

# ---- The launcher from the unpacked root -----------------------------------
e2e_display
home=$work/home
mkdir -p "$home"
contents() { (cd "$root" && find . -printf '%p %s %m\n' | LC_ALL=C sort); }
contents >"$work/root-before.txt"
game_pid=
finish() {
  stop_tree "$game_pid"
  HOME=$home WINEPREFIX="$home/.local/share/quorvel/wineprefix" timeout 20 wineserver -k 2>/dev/null
  e2e_finish
}
trap finish EXIT

windows_named() { xdotool search --name '^Quorvel v2\.1$' 2>/dev/null; }

# Starts the launcher as the player, waits for the window and leaves the
# game by x (answering the exit question); prints the seconds to the window.
play_once() {          # log
  local started window end
  started=$(date +%s.%N)
  env -u XDG_DATA_HOME -u WINEPREFIX -u WINEARCH HOME="$home" \
    timeout -k 10 300 "$root/usr/games/quorvel" >"$1" 2>&1 &
  game_pid=$!
  end=$((SECONDS + 240))
  until window=$(windows_named | head -1) && [ -n "$window" ]; do
    [ $SECONDS -lt $end ] || fail "the window never appeared (see $1)"
    kill -0 "$game_pid" 2>/dev/null || fail "the launcher ended before the window appeared (see $1)"
    sleep 0.2
  done
  awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f\n", b - a }' >"$1.seconds"
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + 240)) $((Y + 290)) click 1
  sleep 0.5
  xdotool key x
  # The exit question, when ConfirmExit is on: the one other window with
  # the game's title; Return answers Yes, and it is that box that goes.
  end=$((SECONDS + 30))
  while kill -0 "$game_pid" 2>/dev/null; do
    [ $SECONDS -lt $end ] || fail "the game did not exit after x (see $1)"
    if question=$(e2e_wait_box "$window" '^Quorvel v2\.1$' 0); then
      e2e_answer_box "$question" Return 10 || fail "Return did not answer the exit question (see $1)"
    fi
    sleep 0.5
  done
  wait "$game_pid" || fail "the launcher ended with status $? (see $1)"
  game_pid=
}

play_once "$work/first.log"
grep -q 'setting up Wine' "$work/first.log" || fail "the first start said nothing about setting up Wine"
player=$home/.local/share/quorvel
[ -f "$player/wineprefix/system.reg" ] || fail "no Wine prefix under $player"
[ -f "$player/quorvel.ini" ] || fail "quorvel.ini was not written under HOME ($player)"
grep -q '^\[Settings\]' "$player/quorvel.ini" || fail "quorvel.ini holds no settings"
contents | cmp -s - "$work/root-before.txt" || fail "the game changed the package's files"
echo "deb_package: first start to the window: $(cat "$work/first.log.seconds") s"

# The analyser runs beside the player's copy of the game and follows its
# settings file.
env -u XDG_DATA_HOME -u WINEPREFIX HOME="$home" timeout -k 10 120 \
  "$root/usr/games/quorvel-odds" hold AS KS QS JS TS >"$work/odds.txt" 2>&1 \
  || fail "quorvel-odds failed (see $work/odds.txt)"
grep -q '^As dealt: Royal Flush' "$work/odds.txt" || fail "quorvel-odds did not judge the deal (see $work/odds.txt)"
grep -q 'quorvel\\quorvel.ini' "$work/odds.txt" \
  || fail "quorvel-odds did not read the player's settings (see $work/odds.txt)"

play_once "$work/second.log"
grep -q 'setting up Wine' "$work/second.log" && fail "the second start set Wine up again"
echo "deb_package: second start to the window: $(cat "$work/second.log.seconds") s"
echo "deb_package: the package's launcher played the game from $root"
