#!/bin/sh
# Packs the built game as a .deb and checks it as Debian sees it: control fields, a
# dependency for every library the program links, the whole installed game inside, owners,
# lintian. Then installs it into a scratch root (dpkg --root as root, else unpacked) and, as
# an unprivileged player, starts the installed program and plays the menu flow on the
# installed game directory: the saves must land in the player's ~/.local/share/skarnfall
# and no installed file may change.
set -e
export SKARNFALL_NO_INSTALL=1  # ./test.sh installed what the suite needs
source=$1
build=$2
fail() { echo "$1"; exit 1; }
skip() { echo "SKIPPED: $1"; exit 77; }
for tool in cpack dpkg-deb dpkg-shlibdeps readelf; do
  command -v $tool > /dev/null || skip "$tool is not installed: the package is not checked"
done
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"  # the player walks through it to the installed game and the home

"$source/scripts/build-deb.sh" "$scratch/out" "$build" > "$scratch/log" || fail "$(cat "$scratch/log")"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
debVersion=$(sed -n '1s/^skarnfall (\([^)]*\)).*/\1/p' "$source/cmake/debian/changelog")
[ "${debVersion%-*}" = "$version" ] || fail "changelog's last entry is $debVersion, the game is $version"
arch=$(dpkg --print-architecture)
deb="$scratch/out/skarnfall_${debVersion}_$arch.deb"
[ -f "$deb" ] || fail "no $deb among: $(ls "$scratch/out")"

field() { dpkg-deb -f "$deb" "$1"; }
while read -r name expected; do
  [ "$(field "$name")" = "$expected" ] || fail "$name is '$(field "$name")', not '$expected'"
done << END
Package skarnfall
Version $debVersion
Architecture $arch
Section games
END
field Maintainer | grep -Eq '^[^<]+ <[^@ ]+@[^@ ]+\.[a-z]+>$' || fail "bad Maintainer"
[ "$(field Description | wc -l)" -gt 3 ] || fail "no extended Description"

# Every library the program needs must come from a package named in Depends, directly or
# through a name that package provides.
x="$scratch/x"
dpkg-deb -x "$deb" "$x"
program="$x/usr/lib/skarnfall/skarnfall"
depends=" $(field Depends | tr ',|' '  ') "
for lib in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
  owners=$(dpkg -S "*/$lib" 2> /dev/null | grep ": .*/$lib\$" | sed 's/:.*//' | sort -u)
  [ -n "$owners" ] || fail "no installed package holds $lib"
  found=""
  for owner in $owners $(dpkg-query -W -f='${Provides}\n' $owners | tr ',' '\n' | sed 's/ *(.*//'); do
    case "$depends" in *" ${owner%%:*} "*) found=$owner ;; esac
  done
  [ -n "$found" ] || fail "$lib ($owners) is not in Depends:$depends"
done
readelf -S "$program" | grep -Eq '\.symtab|\.debug_info' && fail "the program is not stripped"

# The package holds what `cmake --install` lays out (seen through the links from the game
# directory to its media), with the command in games/ and the manual page compressed, plus
# the copyright file and changelog; all of it root's.
cmake --install "$build" --prefix "$scratch/plain" > /dev/null
(cd "$scratch/plain" && find . ! -type d) | sed 's|^\./bin/|./games/|; s|\.6$|.6.gz|' | sort > "$scratch/want"
(cd "$x/usr" && find -L . ! -type d) | grep -v '^\./share/\(doc\|games\)/' | sort > "$scratch/have"
diff "$scratch/want" "$scratch/have" || fail "the package differs from the installed game"
[ "$(readlink "$x/usr/games/skarnfall")" = ../lib/skarnfall/skarnfall ] || fail "bad command link"
for f in copyright changelog.Debian.gz; do
  [ -s "$x/usr/share/doc/skarnfall/$f" ] || fail "no $f"
done
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$x/usr/share/doc/skarnfall/copyright" || fail "copyright file not machine-readable"
grep -q 'xirod.ttf' "$x/usr/share/doc/skarnfall/copyright" || fail "no font licence"
for named in $(grep -o 'usr/[a-z/]*' "$x/usr/share/doc/skarnfall/copyright"); do
  [ -d "$x/$named" ] && [ ! -L "$x/$named" ] || fail "copyright names $named, not a folder"
done
dpkg-deb -c "$deb" | awk '$2 != "root/root" || $6 !~ /^\.\/usr\// && $6 != "./"' > "$scratch/odd"
[ ! -s "$scratch/odd" ] || fail "not root's or outside /usr: $(cat "$scratch/odd")"

if command -v lintian > /dev/null; then
  sh "$source/tools/check/lintian.sh" "$deb" "$source/docs/packaging.md" || fail "lintian"
else
  echo "lintian is not installed: not checked"
fi

# The same layout step on the tree a configure with the prefix /usr stages, where the game
# directory is lib/<architecture>/skarnfall: the command and the media still reach it.
stage="$scratch/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr > /dev/null
multiarch=lib/$(gcc -print-multiarch)
mkdir -p "$stage/usr/$multiarch"
mv "$stage/usr/lib/skarnfall" "$stage/usr/$multiarch/"
ln -sfn "../$multiarch/skarnfall/skarnfall" "$stage/usr/bin/skarnfall"
cat > "$scratch/layout.cmake" << END
include("$build/CPackConfig.cmake")
set(CPACK_TEMPORARY_INSTALL_DIRECTORY "$stage")
set(CPACK_SKARNFALL_INSTALL_DIR "$multiarch/skarnfall")
include("$source/cmake/DebianLayout.cmake")
END
cmake -P "$scratch/layout.cmake" > "$scratch/log" 2>&1 || fail "layout with /usr: $(cat "$scratch/log")"
[ -f "$stage/usr/$multiarch/skarnfall/fonts/xirod.ttf" ] || fail "layout with /usr: no font"
[ -x "$stage/usr/games/skarnfall" ] || fail "layout with /usr: no command"

# Install as the system would, or unpack when not root; either way the player cannot
# write under /usr.
root="$scratch/root"
if [ "$(id -u)" -eq 0 ]; then
  mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
  touch "$root/var/lib/dpkg/status"
  # The scratch root holds no libraries: the program runs on this system's.
  dpkg --root="$root" --force-depends -i "$deb" > "$scratch/log" 2>&1 || fail "$(cat "$scratch/log")"
  dpkg --root="$root" -s skarnfall | grep -q '^Status: install ok installed$' || fail "not installed"
  player="setpriv --reuid=65534 --regid=65534 --clear-groups"
else
  echo "not root: the package is unpacked, not installed with dpkg"
  dpkg-deb -x "$deb" "$root"
  player=""
fi
chmod -R a-w "$root/usr"
snapshot() { find "$root/usr" -printf '%p %s %T@ %m %u\n' | sort | cksum; }
before=$(snapshot)
home="$scratch/home"
mkdir "$home"
[ -z "$player" ] || chown 65534:65534 "$home"
cp "$build/game/skarnfall-run" "$scratch/"
unset XDG_DATA_HOME
export HOME="$home" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

[ "$($player "$root/usr/games/skarnfall" --version)" = "skarnfall $version" ] || fail "bad --version"
# The installed program through its command, up to the title screen, then stopped.
mkfifo "$scratch/title"
$player "$root/usr/games/skarnfall" > "$scratch/title" 2>&1 &
pid=$!
timeout 60 grep -q -m 1 "Entering Title Screen" < "$scratch/title" || { kill $pid; fail "no title screen"; }
kill $pid
{ wait $pid; } 2> /dev/null || true
# Then the whole menu flow on the installed game directory, with scripted keys.
$player "$scratch/skarnfall-run" --flow --level 1 --max-ticks 100 \
  --game-dir "$root/usr/lib/skarnfall" --in-place --quiet > /dev/null || fail "the flow failed"

saves="$home/.local/share/skarnfall"
[ "$(head -c 1 "$saves/profiles/profile01.txt")" = 1 ] || fail "no profile saved"
[ "$(head -c 1 "$saves/profiles/profile05.txt")" = 0 ] || fail "no empty slot 5"
[ "$(wc -c < "$saves/records/highscores1.txt")" = 490 ] || fail "no high scores saved"
[ -z "$(find "$home" ! -user "$(stat -c %u "$home")")" ] || fail "saves not the player's own"
[ "$(snapshot)" = "$before" ] || fail "the game wrote under /usr"
dpkg-deb -e "$deb" "$scratch/control"
(cd "$root" && md5sum --quiet -c "$scratch/control/md5sums") || fail "installed files changed"
echo "package ok"
