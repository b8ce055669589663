#!/bin/sh
# Builds the Windows zip a player unpacks and plays: build/windows/Skarnfall-VERSION-windows-x64.zip
# holding Skarnfall.exe (its libraries from Debian's sources, built by tools/cross/mingw.sh),
# SDL.dll, the generated media, README.txt and the licence of every library it carries.
# Usage: scripts/build-windows.sh   (as root it installs the cross compiler it needs)
set -eu
cd "$(dirname "$0")/.."
SOURCE=$(pwd)
BUILD=$SOURCE/build/windows
START=$(date +%s)
note() { echo "== [$(($(date +%s) - START)) s] $*"; }
. tools/cross/mingw.sh
# shellcheck disable=SC2086 # a list of packages
scripts/ensure-deps.sh $MINGW_HOST_PACKAGES > /dev/null
mkdir -p "$BUILD"
VERSION=$(sed -n 's/^project(skarnfall VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

mingw_libraries "$BUILD/prefix" "$BUILD/libs" || exit 1

note "Building the media generator and the runner for this machine"
HOST=$BUILD/host  # its runner makes attract mode's runs, by the same rules on any machine
mingw_host_tools "$HOST" "$BUILD/host.log" || exit 1

note "Cross-building Skarnfall.exe, its media and attract runs"
cmake -S . -B "$BUILD/cross" -DCMAKE_TOOLCHAIN_FILE="$SOURCE/tools/cross/mingw-toolchain.cmake" \
  -DSKARNFALL_WINDOWS_PREFIX="$BUILD/prefix" -DSKARNFALL_HOST_MEDIAGEN="$HOST/media/mediagen" \
  -DSKARNFALL_HOST_RUNNER="$HOST/game/skarnfall-run" \
  -DCMAKE_BUILD_TYPE=Release -DSKARNFALL_TESTS=OFF > "$BUILD/cross.log" 2>&1 &&
  cmake --build "$BUILD/cross" -j2 --target skarnfall media attract_runs >> "$BUILD/cross.log" 2>&1 ||
  { tail -60 "$BUILD/cross.log"; exit 1; }

note "Laying out the zip"
STAGE=$BUILD/stage/Skarnfall
rm -rf "$BUILD/stage"
mkdir -p "$STAGE/licences"
GAME=$BUILD/cross/game
cp "$GAME/Skarnfall.exe" "$GAME/SDL.dll" "$STAGE/"
x86_64-w64-mingw32-strip "$STAGE/Skarnfall.exe" "$STAGE/SDL.dll"
for dir in $(cat "$GAME/media-dirs.txt"); do cp -R "$GAME/$dir" "$STAGE/"; done
# Each library's own licence text, then Debian's record of its authors and licences.
for package in libsdl1.2 sdl-mixer1.2 libogg libvorbis; do
  cat "$BUILD/libs/src/$package/COPYING" "$BUILD/libs/src/$package/debian/copyright" \
    > "$STAGE/licences/$package.txt"
done
sed -n '/^This software is available under 2 licenses/,$p' /usr/include/stb/stb_image.h \
  > "$STAGE/licences/stb_image.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$STAGE/licences/gcc-runtime-libstdc++.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$STAGE/licences/mingw-w64-runtime-winpthread.txt"
sed "s/@VERSION@/$VERSION/" platform/windows/README.txt.in > "$STAGE/README.txt"
# Windows's own line ends in every text file a player opens.
for text in "$STAGE/README.txt" "$STAGE"/licences/*.txt; do
  sed -i 's/\r$//; s/$/\r/' "$text"
done

ZIP=$BUILD/Skarnfall-$VERSION-windows-x64.zip
rm -f "$ZIP"
(cd "$BUILD/stage" && zip -q -r -X "$ZIP" Skarnfall)
note "Made $ZIP ($(wc -c < "$ZIP") bytes)"
