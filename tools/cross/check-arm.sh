#!/bin/sh
# Proves the handheld port: builds the game, tests and runner for 32-bit ARM (Debian armel,
# ARMv5TE soft-float) against a Debian 12 sysroot, runs the whole suite under qemu-user,
# checks that the ARM media generator writes the same bytes as the host's, and that the
# handheld build reaches its title screen and leaves on SIGTERM.
# Usage: tools/cross/check-arm.sh [BUILD_DIR]   (default build/arm; the sysroot is kept there)
# Exits 0 only when every check passes. As root it installs what it needs.
set -eu
cd "$(dirname "$0")/../.."
SOURCE=$(pwd)
BUILD=${1:-build/arm}
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
SYSROOT=$BUILD/sysroot
HOSTGEN=$BUILD/host-mediagen
HANDHELD=$BUILD/handheld
JOBS=2
START=$(date +%s)
FAILED=""
note() { echo "== [$(($(date +%s) - START)) s] $*"; }
fail() { echo "** FAILED: $*"; FAILED="$FAILED
  $*"; }

# Host tools; the sysroot gets the target's libraries. No foreign architecture is added.
scripts/ensure-deps.sh mmdebstrap qemu-user crossbuild-essential-armel bsdutils

# The sysroot: Debian 12's armel packages unpacked into a folder, reused while the
# package list is unchanged.
PACKAGES="libc6-dev,libstdc++-12-dev,libsdl1.2-compat-dev,libsdl-image1.2-dev,\
libsdl-mixer1.2-dev,libsdl-ttf2.0-dev,libgtest-dev,libvorbis-dev,libogg-dev,libstb-dev"
if [ "$(cat "$SYSROOT/.packages" 2>/dev/null)" != "$PACKAGES" ]; then
  note "Making the armel sysroot in $SYSROOT"
  rm -rf "$SYSROOT" "$SYSROOT.new"
  mmdebstrap --quiet --variant=extract --architectures=armel --include="$PACKAGES" \
    bookworm "$SYSROOT.new"
  # Absolute links (libm.so -> /lib/...) would point into the host: make them relative.
  find "$SYSROOT.new" -type l -lname '/*' | while read -r link; do
    target=$(readlink "$link")
    ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$SYSROOT.new$target")" "$link"
  done
  echo "$PACKAGES" > "$SYSROOT.new/.packages"
  mv "$SYSROOT.new" "$SYSROOT"
else
  note "Reusing the armel sysroot in $SYSROOT"
fi

# The host's generator: the reference bytes, and the handheld build's media maker.
note "Building the media generator for the host"
cmake -S tools/mediagen -B "$HOSTGEN" -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$BUILD/host-mediagen.log" 2>&1
cmake --build "$HOSTGEN" -j "$JOBS" >> "$BUILD/host-mediagen.log" 2>&1 || { tail -40 "$BUILD/host-mediagen.log"; exit 1; }
rm -rf "$BUILD/host-media"
"$HOSTGEN/mediagen" "$BUILD/host-media" > /dev/null

TOOLCHAIN="-DCMAKE_TOOLCHAIN_FILE=$SOURCE/tools/cross/armel-toolchain.cmake -DCMAKE_SYSROOT=$SYSROOT"
note "Building the game, tests and runner for ARM in $BUILD (media under the emulator)"
# shellcheck disable=SC2086
cmake -S . -B "$BUILD" $TOOLCHAIN -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$BUILD/build.log" 2>&1 || { cat "$BUILD/build.log"; exit 1; }
cmake --build "$BUILD" -j "$JOBS" >> "$BUILD/build.log" 2>&1 || { tail -60 "$BUILD/build.log"; exit 1; }
BUILT=$(date +%s)

note "Running the suite under qemu-user"
(cd "$BUILD" && ctest -j "$JOBS" --output-on-failure) > "$BUILD/ctest.log" 2>&1 || fail "the test suite (see $BUILD/ctest.log)"
grep -E "tests passed|tests failed|^The following|\*\*\*|Failed|Total Test time" "$BUILD/ctest.log" || true
TESTED=$(date +%s)

note "Comparing the media with the host generator's, byte for byte"
count=0
for file in $(cd "$BUILD/host-media" && find . -type f | sort); do
  count=$((count + 1))
  cmp -s "$BUILD/host-media/$file" "$BUILD/game/$file" || fail "media file $file differs"
done
[ "$count" -gt 0 ] || fail "the host generator wrote no media"
echo "$count files compared"
for file in fonts/xirod.ttf; do
  [ -s "$BUILD/game/$file" ] || fail "the game folder lacks $file"
done
ls "$BUILD/game/fonts" | grep -qi 'licen[cs]e\|copyright' || fail "the game folder lacks the font's licence"

note "Building the handheld game"
# shellcheck disable=SC2086
cmake -S . -B "$HANDHELD" $TOOLCHAIN -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARNFALL_HANDHELD=ON \
  -DSKARNFALL_TESTS=OFF -DSKARNFALL_HOST_MEDIAGEN="$HOSTGEN/mediagen" > "$BUILD/handheld.log" 2>&1 || { cat "$BUILD/handheld.log"; exit 1; }
cmake --build "$HANDHELD" -j "$JOBS" --target skarnfall media >> "$BUILD/handheld.log" 2>&1 || { tail -60 "$BUILD/handheld.log"; exit 1; }

note "Starting the handheld game under qemu-user"
# A terminal for standard output, so the game's lines arrive as printed.
LOG=$BUILD/handheld-run.log
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy script -qefc \
  "exec qemu-arm -cpu arm1136 -L '$SYSROOT' '$HANDHELD/game/skarnfall'" /dev/null > "$LOG" 2>&1 &
SCRIPT_PID=$!
waited=0
until grep -q "Entering Title Screen" "$LOG" || [ $waited -ge 120 ]; do sleep 1; waited=$((waited + 1)); done
GAME_PID=$(ps -o pid= --ppid "$SCRIPT_PID" | tr -d ' ' | head -1)
if grep -q "Entering Title Screen" "$LOG"; then
  echo "Title screen reached after ${waited} s"
else
  fail "the handheld game did not reach its title screen in 120 s"
fi
if [ -n "$GAME_PID" ]; then
  kill -TERM "$GAME_PID" 2>/dev/null || true
  waited=0
  while kill -0 "$GAME_PID" 2>/dev/null && [ $waited -lt 10 ]; do sleep 1; waited=$((waited + 1)); done
  if kill -0 "$GAME_PID" 2>/dev/null; then
    fail "the handheld game ignored SIGTERM for 10 s"
    kill -KILL "$GAME_PID" 2>/dev/null || true
  else
    echo "Left ${waited} s after SIGTERM"
  fi
fi
wait "$SCRIPT_PID" 2>/dev/null || true

END=$(date +%s)
echo "== Times: build $((BUILT - START)) s (sysroot included), tests $((TESTED - BUILT)) s, whole pass $((END - START)) s"
if [ -n "$FAILED" ]; then
  echo "== The ARM check failed:$FAILED"
  exit 1
fi
echo "== The ARM check passed"
