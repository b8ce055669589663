#!/bin/sh
# Proves the handheld port: builds the game, tests and runner for 32-bit ARM (the game's own
# code for the handheld's ARMv4T, soft-float, on Debian armel's ARMv5TE libraries) against a
# Debian 12 sysroot with the classic SDL 1.2 and SDL_mixer built with Tremor, runs the whole
# suite under qemu-user on an ARMv5TE processor (arm926), checks that the ARM media
# generator makes the same media as the host's (and the host's the same whether or not its
# processor fuses multiply-adds), that the handheld build's own objects hold nothing beyond
# ARMv4T, that the handheld build, started as its device starts it, reaches its title screen
# and leaves on SIGTERM, and that the counting tools count right (check-counting.sh).
# Usage: tools/cross/check-arm.sh [BUILD_DIR]   (default build/arm; the sysroot is kept there)
# Exits 0 only when every check passes. As root it installs what it needs.
set -eu
cd "$(dirname "$0")/../.."
SOURCE=$(pwd)
BUILD=${1:-build/arm}
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
SYSROOT=$BUILD/sysroot
HANDHELD=$BUILD/handheld
NATIVEGEN=$BUILD/native-mediagen
JOBS=2
START=$(date +%s)
FAILED=""
note() { echo "== [$(($(date +%s) - START)) s] $*"; }
fail() { echo "** FAILED: $*"; FAILED="$FAILED
  $*"; }
. tools/cross/armel.sh
EMULATOR=$ARMEL_EMULATOR

# Host tools; the sysroot gets the target's libraries. No foreign architecture is added.
scripts/ensure-deps.sh mmdebstrap qemu-user crossbuild-essential-armel bsdutils dpkg-dev

# The sysroot: the target's libraries, reused while the package list is unchanged, and
# SDL_mixer with Tremor built into it.
armel_unpack "$SYSROOT" "$ARMEL_PACKAGES"
armel_mixer "$SYSROOT" "$BUILD/mixer" || exit 1

note "Checking the counting tools on made-up inputs"
tools/cross/check-counting.sh "$BUILD/counting-check" "$SYSROOT" 2> "$BUILD/counting-check.log" ||
  fail "the counting tools (see $BUILD/counting-check.log)"

# The host's generator: the reference media and tune digests, and the ARM builds' media
# maker (the ARM generator runs once, below, only to be compared).
note "Building and running the media generator for the host"
armel_host_mediagen "$SOURCE" "$BUILD" "$BUILD/host-mediagen.log" || exit 1
rm -rf "$BUILD/host-media"
"$HOSTGEN/mediagen" --pcm-digests "$BUILD/host-media" > "$BUILD/host-digests.txt" 2>> "$BUILD/host-mediagen.log" ||
  { tail -20 "$BUILD/host-mediagen.log"; exit 1; }

digest_of() { awk -v tune="$1" '$2 == tune { print $1 }' "$2"; }

# Same files, byte for byte, except the tunes, whose Vorbis bytes depend on the system's
# encoder: those must agree in their samples. Usage: compare_media NAME DIR DIGESTS
compare_media() {
  count=0
  for file in $(cd "$BUILD/host-media" && find . -type f ! -name '*.ogg' | sort); do
    count=$((count + 1))
    cmp -s "$BUILD/host-media/$file" "$2/$file" || fail "$1: media file $file differs"
  done
  [ "$count" -gt 0 ] || fail "the host generator wrote no media"
  echo "$1: $count other files compared byte for byte"
  tunes=$(cut -d' ' -f3 "$BUILD/host-digests.txt" | sort)
  [ -n "$tunes" ] || fail "the host generator printed no tune digests"
  [ "$tunes" = "$(cd "$BUILD/host-media" && find music -name '*.ogg' | sort)" ] ||
    fail "the tune digests do not name the tunes written"
  total=0
  same=0
  for tune in $tunes; do
    total=$((total + 1))
    if [ "$(digest_of "$tune" "$BUILD/host-digests.txt")" = "$(digest_of "$tune" "$3")" ]; then
      same=$((same + 1))
    else
      fail "$1: $tune's samples differ"
    fi
  done
  echo "$1: tunes: $same of $total identical before encoding"
}

# A processor with fused multiply-adds must not change the media: the host's generator
# built for this very processor must agree with the plain one.
if grep -qw fma /proc/cpuinfo; then
  note "Building and running the media generator with -march=native (FMA)"
  cmake -S media -B "$NATIVEGEN" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS=-march=native > "$BUILD/native-mediagen.log" 2>&1
  cmake --build "$NATIVEGEN" -j "$JOBS" >> "$BUILD/native-mediagen.log" 2>&1 || { tail -40 "$BUILD/native-mediagen.log"; exit 1; }
  rm -rf "$BUILD/native-media"
  "$NATIVEGEN/mediagen" --pcm-digests-only "$BUILD/native-media" > "$BUILD/native-digests.txt" 2>> "$BUILD/native-mediagen.log" ||
    fail "the -march=native generator (see $BUILD/native-mediagen.log)"
  compare_media "-march=native" "$BUILD/native-media" "$BUILD/native-digests.txt"
  rm -rf "$BUILD/native-media"
else
  note "This processor has no FMA: the fused multiply-add check is skipped"
fi

TOOLCHAIN="-DCMAKE_TOOLCHAIN_FILE=$SOURCE/tools/cross/armel-toolchain.cmake -DCMAKE_SYSROOT=$SYSROOT"
note "Building the ARM media generator, then running it under qemu-user alongside the rest"
# shellcheck disable=SC2086
cmake -S . -B "$BUILD" $TOOLCHAIN -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSKARNFALL_HOST_MEDIAGEN="$HOSTGEN/mediagen" > "$BUILD/build.log" 2>&1 || { cat "$BUILD/build.log"; exit 1; }
# The build's media are the host generator's, made above: copied in with the media target's
# stamp, so the build does not make them a second time.
mkdir -p "$BUILD/game" "$BUILD/media"
cp -R "$BUILD/host-media/." "$BUILD/game/"
touch "$BUILD/media/media.stamp"
cmake --build "$BUILD" -j "$JOBS" --target mediagen >> "$BUILD/build.log" 2>&1 || { tail -60 "$BUILD/build.log"; exit 1; }
rm -rf "$BUILD/arm-media"
# Only the tunes' samples are compared, so the ARM run skips their Vorbis encoding: that is
# the system's libvorbis, more than half of the generator's work, and soft-float under qemu.
# shellcheck disable=SC2086
$EMULATOR "$BUILD/media/mediagen" --pcm-digests-only "$BUILD/arm-media" \
  > "$BUILD/arm-digests.txt" 2> "$BUILD/arm-mediagen.log" &
ARMGEN_PID=$!
trap 'kill "$ARMGEN_PID" 2> /dev/null || :' EXIT

note "Building the game, tests and runner for ARM in $BUILD (media from the host generator)"
cmake --build "$BUILD" -j "$JOBS" >> "$BUILD/build.log" 2>&1 || { tail -60 "$BUILD/build.log"; exit 1; }
BUILT=$(date +%s)

note "Running the suite under qemu-user"
if (cd "$BUILD" && ctest -j "$JOBS" --output-on-failure) > "$BUILD/ctest.log" 2>&1; then
  grep -E "tests passed|Total Test time" "$BUILD/ctest.log"
else
  grep -E "tests passed|tests failed|^The following|\*\*\*|Failed|Total Test time" "$BUILD/ctest.log"
  fail "the test suite (see $BUILD/ctest.log)"
fi
TESTED=$(date +%s)

note "Building the handheld game"
# shellcheck disable=SC2086
cmake -S . -B "$HANDHELD" $TOOLCHAIN -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARNFALL_HANDHELD=ON \
  -DSKARNFALL_TESTS=OFF -DSKARNFALL_HOST_MEDIAGEN="$HOSTGEN/mediagen" > "$BUILD/handheld.log" 2>&1 || { cat "$BUILD/handheld.log"; exit 1; }
cmake --build "$HANDHELD" -j "$JOBS" --target skarnfall >> "$BUILD/handheld.log" 2>&1 || { tail -60 "$BUILD/handheld.log"; exit 1; }
# What its media and attract runs' targets would make: the runs are the ARM build's, made
# under qemu, and the same rules.
cp -R "$BUILD/host-media/." "$BUILD/game/attract" "$HANDHELD/game/"

note "Scanning the handheld game's own objects for instructions beyond ARMv4T"
# shellcheck disable=SC2046 # object paths hold no spaces
tools/cross/armv4t-scan.sh --linked "$HANDHELD/game/skarnfall" "$SYSROOT" \
  $(find "$HANDHELD" -name '*.o' -path '*.dir/*' | sort) || fail "the game's own code is not all ARMv4T"

note "Starting the handheld game under qemu-user, as the device starts it and with the dummy driver"
SKARNFALL_EMULATOR=$EMULATOR bash tests/frontend/handheld_start_test.sh "$HANDHELD/game" ||
  fail "the handheld game's start"

note "Waiting for the ARM media generator"
if wait "$ARMGEN_PID"; then
  compare_media "ARM" "$BUILD/arm-media" "$BUILD/arm-digests.txt"
else
  fail "the ARM media generator (see $BUILD/arm-mediagen.log)"
fi

END=$(date +%s)
echo "== Times: build $((BUILT - START)) s (sysroot included), tests $((TESTED - BUILT)) s, whole pass $((END - START)) s"
if [ -n "$FAILED" ]; then
  echo "== The ARM check failed:$FAILED"
  exit 1
fi
echo "== The ARM check passed"
