#!/bin/sh
# Builds the handheld's game for this machine beside the desktop build, with the desktop
# build's media, and starts it as its device would (handheld_start_test.sh).
# Usage: handheld_flavour_test.sh SOURCE_DIR HANDHELD_BUILD_DIR DESKTOP_GAME_DIR
set -eu
source=$1
build=$2
media=$3
mkdir -p "$build"
cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARNFALL_HANDHELD=ON \
  -DSKARNFALL_TESTS=OFF > "$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j 2 --target skarnfall > "$build/build.log" 2>&1 ||
  { tail -40 "$build/build.log"; exit 1; }
while read -r d; do
  rm -rf "${build:?}/game/$d"
  ln -s "$media/$d" "$build/game/$d"
done < "$media/media-dirs.txt"
exec bash "$(dirname "$0")/handheld_start_test.sh" "$build/game"
