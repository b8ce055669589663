#!/bin/sh
# Installs into a scratch prefix and checks the layout, the launcher, the AppStream entry,
# the icons and the options; then, with the prefix read-only, plays the installed game as
# a player whose home is new: the saves must appear in the player's data folder, nothing
# under the prefix may change (checked by listing, which holds for root too), and a second
# copy on the same saves must be turned away.
set -e
build=$1
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
fail() { echo "$1"; exit 1; }
prefix="$scratch/prefix"
cmake --install "$build" --prefix "$prefix" > /dev/null
game="$prefix/lib/skarnfall"
for f in skarnfall fonts/xirod.ttf sprites/avsheet1.bmp sounds/avatar_gun.wav music/vision.ogg \
         saves-in-data-home share/man/man6/skarnfall.6; do
  [ -e "$game/$f" ] || [ -e "$prefix/$f" ] || fail "missing $f"
done
[ ! -e "$game/profiles" ] && [ ! -e "$game/records" ] || fail "saves beside the installed program"
[ "$(readlink -f "$prefix/bin/skarnfall")" = "$(readlink -f "$game/skarnfall")" ] || fail "bad bin link"
for size in 32 48 64 128 256; do  # a PNG's width is the big-endian word at byte 16
  png="$prefix/share/icons/hicolor/${size}x$size/apps/skarnfall.png"
  [ "$(od -An -tu1 -j18 -N2 "$png" | awk '{print $1 * 256 + $2}')" = "$size" ] || fail "icon $size"
done
launcher="$prefix/share/applications/io.github.skarnfall.skarnfall.desktop"
grep -q '^Exec=skarnfall$' "$launcher"
for tool in "desktop-file-validate $launcher" \
            "appstreamcli validate --no-net $prefix/share/metainfo/io.github.skarnfall.skarnfall.metainfo.xml"; do
  if command -v "${tool%% *}" > /dev/null; then $tool > /dev/null || fail "$tool"
  else echo "${tool%% *} not installed: not checked"; fi
done

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$($SKARNFALL_EMULATOR "$prefix/bin/skarnfall" --version)" = "skarnfall $version" ] || fail "bad --version"
$SKARNFALL_EMULATOR "$prefix/bin/skarnfall" --help | grep -q -- '--scale N' || fail "bad --help"
status=0; $SKARNFALL_EMULATOR "$prefix/bin/skarnfall" --scale 0 2> "$scratch/err" || status=$?
[ "$status" = 2 ] && [ "$(wc -l < "$scratch/err")" = 2 ] || fail "bad refusal ($status)"

export HOME="$scratch/home" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
unset XDG_DATA_HOME
mkdir "$HOME"
chmod -R a-w "$prefix"
snapshot() { find "$prefix" -printf '%p %s %T@ %m\n' | sort | cksum; }
before=$(snapshot)
$SKARNFALL_EMULATOR "$build/game/skarnfall-run" --flow --level 1 --max-ticks 100 --game-dir "$game" --in-place --quiet > /dev/null
saves="$HOME/.local/share/skarnfall"
[ "$(head -c 1 "$saves/profiles/profile01.txt")" = "1" ] || fail "no profile saved"
[ "$(head -c 1 "$saves/profiles/profile05.txt")" = "0" ] || fail "no empty slot 5"
[ "$(wc -c < "$saves/records/highscores1.txt")" = 490 ] || fail "no high scores saved"
# A second copy that wrongly starts waits at the title until timeout ends it (124): only the
# game's own refusal, status 1, passes.
status=0
timeout 60 flock -o "$saves/skarnfall.lock" $SKARNFALL_EMULATOR "$prefix/bin/skarnfall" 2> "$scratch/err" || status=$?
[ "$status" = 1 ] || fail "second copy not turned away (status $status)"
grep -q "another copy" "$scratch/err" || fail "second copy not told: $(cat "$scratch/err")"
[ "$(snapshot)" = "$before" ] || fail "the installed game wrote under its prefix"
echo "install ok"
