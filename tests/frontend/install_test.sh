#!/bin/sh
# Installs into a scratch prefix twice and checks the game directory, the launcher and
# that a player's profile survives the second install.
set -e
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null
game="$prefix/lib/skarnfall"
for f in skarnfall fonts/xirod.ttf sprites/avsheet1.bmp sounds/avatar_gun.wav music/vision.ogg \
         profiles/profile05.txt; do
  [ -e "$game/$f" ] || { echo "missing $f"; exit 1; }
done
[ -d "$game/records" ] || { echo "missing records/"; exit 1; }
[ "$(head -c 1 "$game/profiles/profile03.txt")" = "0" ] || { echo "slot 3 not empty"; exit 1; }
[ "$(readlink -f "$prefix/bin/skarnfall")" = "$(readlink -f "$game/skarnfall")" ] || { echo "bad bin link"; exit 1; }
grep -q '^Exec=skarnfall$' "$prefix/share/applications/skarnfall.desktop"
[ -f "$prefix/share/icons/hicolor/64x64/apps/skarnfall.png" ]
[ -f "$prefix/share/man/man6/skarnfall.6" ]
printf '1Kept' > "$game/profiles/profile01.txt"
printf 'table' > "$game/records/highscores1.txt"
cmake --install "$build" --prefix "$prefix" > /dev/null
[ "$(cat "$game/profiles/profile01.txt")" = "1Kept" ] || { echo "profile overwritten"; exit 1; }
[ "$(cat "$game/records/highscores1.txt")" = "table" ] || { echo "record overwritten"; exit 1; }
echo "install layout ok"
