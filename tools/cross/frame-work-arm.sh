#!/bin/sh
# Counts the ARM instructions of each frame: records the first four levels' runs on the host
# (pilot, seed 1), plays them back in the ARMv4T runner under qemu-user with our own TCG
# plugin, and prints per level where the main thread's instructions went, SDL's part by
# what the game was drawing, and what decoding the tunes costs with libvorbis and Tremor.
# Usage: tools/cross/frame-work-arm.sh [BUILD_DIR]   (default build/arm; reuses the sysroot
# and host media generator tools/cross/check-arm.sh left there, and makes what is missing)
# SOURCE_DIR=<tree> measures another source tree with this script's tools.
# MUSIC_SECONDS (default 30) is how much of each tune is decoded.
# A benchmark: it prints figures and fails only when something cannot be built or run.
set -eu
cd "$(dirname "$0")/../.."
TOOLS=$(pwd)
SOURCE=$(cd "${SOURCE_DIR:-.}" && pwd)
BUILD=${1:-build/arm}
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
SYSROOT=$BUILD/sysroot
TREMOR=$BUILD/tremor
HOSTGEN=$BUILD/host-mediagen
WORK=$BUILD/frame-work
HOSTRUN=$WORK/host
ARMRUN=$WORK/arm
JOBS=2
MUSIC_SECONDS=${MUSIC_SECONDS:-30}
# The GP2X's processor, for the decoders; the game's build takes it from the toolchain
# file. Debian's libraries stay as built, for ARMv5TE.
ARCH_FLAGS="-march=armv4t -marm -mfloat-abi=soft"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
START=$(date +%s)
note() { echo "== [$(($(date +%s) - START)) s] $*"; }
die() {
  echo "** $*" >&2
  exit 1
}
. "$TOOLS/tools/cross/armel.sh"
QEMU=$ARMEL_EMULATOR

scripts/ensure-deps.sh mmdebstrap qemu-user crossbuild-essential-armel

# The sysroot is check-arm.sh's, and Tremor is unpacked beside it.
armel_unpack "$SYSROOT" "$ARMEL_PACKAGES"
armel_unpack "$TREMOR" libvorbisidec-dev

if [ ! -x "$HOSTGEN/mediagen" ]; then
  note "Building the media generator for the host"
  cmake -S "$SOURCE/tools/mediagen" -B "$HOSTGEN" -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$WORK.log" 2>&1
  cmake --build "$HOSTGEN" -j "$JOBS" >> "$WORK.log" 2>&1 || die "see $WORK.log"
fi
mkdir -p "$WORK"

note "Building the runner for the host and for ARMv4T (log: $WORK/build.log)"
cmake -S "$SOURCE" -B "$HOSTRUN" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARNFALL_TESTS=OFF \
  -DSKARNFALL_HOST_MEDIAGEN="$HOSTGEN/mediagen" > "$WORK/build.log" 2>&1 || die "see $WORK/build.log"
cmake --build "$HOSTRUN" -j "$JOBS" --target skarnfall-run media >> "$WORK/build.log" 2>&1 ||
  die "see $WORK/build.log"
cmake -S "$SOURCE" -B "$ARMRUN" -DCMAKE_TOOLCHAIN_FILE="$TOOLS/tools/cross/armel-toolchain.cmake" \
  -DCMAKE_SYSROOT="$SYSROOT" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARNFALL_TESTS=OFF \
  -DSKARNFALL_HOST_MEDIAGEN="$HOSTGEN/mediagen" >> "$WORK/build.log" 2>&1 || die "see $WORK/build.log"
cmake --build "$ARMRUN" -j "$JOBS" --target skarnfall-run media >> "$WORK/build.log" 2>&1 ||
  die "see $WORK/build.log"
PROGRAM=$ARMRUN/game/skarnfall-run
arm-linux-gnueabi-readelf -A "$PROGRAM" | grep -q 'Tag_CPU_arch: v' || die "$PROGRAM is not ARM"

PLUGIN=$WORK/frame_work_plugin.so
cc -O2 -Wall -Wextra -shared -fPIC -o "$PLUGIN" "$TOOLS/tools/cross/frame_work_plugin.c"
for decoder in vorbis tremor; do
  if [ $decoder = tremor ]; then
    LIB="$TREMOR/usr/lib/arm-linux-gnueabi"
    set -- -DTREMOR -I"$TREMOR/usr/include" -L"$LIB" -Wl,-rpath,"$LIB" -lvorbisidec -logg
  else
    set -- -lvorbisfile -lvorbis -logg -lm
  fi
  # shellcheck disable=SC2086
  arm-linux-gnueabi-gcc -O2 $ARCH_FLAGS --sysroot="$SYSROOT" \
    "$TOOLS/tools/cross/decode_count.c" -o "$WORK/decode-$decoder" "$@"
done

# The plugin's symbols: the function each frame starts with, libgcc's helpers if any are
# linked in, and the game's drawing functions whose SDL work is told apart.
arm-linux-gnueabi-nm --defined-only "$(arm-linux-gnueabi-gcc -print-libgcc-file-name)" 2> /dev/null |
  awk 'NF == 3 && $2 ~ /^[TW]$/ { print $3 }' | sort -u > "$WORK/libgcc.names"
{
  arm-linux-gnueabi-nm -S --defined-only "$PROGRAM" |
    awk 'NR == FNR { helper[$1] = 1; next } NF == 4 && ($4 in helper) { print $1, $2, "helper" }' \
      "$WORK/libgcc.names" -
  arm-linux-gnueabi-nm -S --defined-only -C "$PROGRAM" | awk '
  NF >= 4 && $3 ~ /^[tTW]$/ {
    name = $0; sub(/^[^ ]+ [^ ]+ [^ ]+ /, "", name); kind = ""
    if (name ~ /^runLevelFrame\(/) kind = "frame"
    else if (name ~ /blitComposed\(/) kind = "compose"
    else if (name ~ /^presentSurface(Labelled)?\(/) kind = "flip"
    else if (name ~ /^background::draw\(|^spriteType::draw\(float, int,/) kind = "background"
    else if (name ~ /^sprite::draw\(|^spriteType::draw\(float, float,/) kind = "sprites"
    else if (name ~ /^numberText::(draw|render)\(|drawCentredLabel\(/) kind = "text"
    if (kind != "") print $1, $2, kind
  }'
} > "$WORK/symbols"
grep -q ' frame$' "$WORK/symbols" || die "runLevelFrame is not in $PROGRAM's symbols"
BASE=$(arm-linux-gnueabi-readelf -lW "$PROGRAM" | awk '$1 == "LOAD" { print $3; exit }')

note "Recording the levels' runs on the host (pilot, seed 1)"
for level in 1 2 3 4; do
  "$HOSTRUN/game/skarnfall-run" --level $level --seed 1 --pilot --quiet \
    --record "$WORK/level$level.replay" > "$WORK/level$level.host.json"
done

note "Playing them back under qemu-user with the counting plugin, $JOBS at a time"
play() { # LEVEL
  $QEMU -plugin "$PLUGIN,out=$WORK/level$1.counts,syms=$WORK/symbols,base=$BASE" "$PROGRAM" \
    --replay "$WORK/level$1.replay" --quiet > "$WORK/level$1.arm.json"
}
(play 1 && play 3) &
FIRST=$!
(play 2 && play 4) &
SECOND=$!
wait $FIRST || die "a replay failed under qemu (level 1 or 3)"
wait $SECOND || die "a replay failed under qemu (level 2 or 4)"
for level in 1 2 3 4; do
  cmp -s "$WORK/level$level.host.json" "$WORK/level$level.arm.json" ||
    echo "note: level $level's run summary differs on ARM: $(cat "$WORK/level$level.arm.json")"
done

note "Decoding the tunes' first $MUSIC_SECONDS s on ARM"
decode() { # DECODER SECONDS: prints seconds decoded and instructions
  $QEMU -plugin "$PLUGIN,out=$WORK/decode.count" "$WORK/decode-$1" "$2" "$ARMRUN"/game/music/*.ogg
  awk '{ print $2 }' "$WORK/decode.count"
}
for decoder in vorbis tremor; do
  # shellcheck disable=SC2046 # two words each: seconds decoded, instructions
  set -- $(decode $decoder 0) $(decode $decoder "$MUSIC_SECONDS")
  # instructions a second of audio, less what opening the files costs
  awk -v base="$2" -v secs="$3" -v all="$4" 'BEGIN { printf "%.1f\n", (all - base) / secs / 1e6 }' \
    > "$WORK/music-$decoder"
done

"$TOOLS/tools/cross/frame-work-report.sh" "$WORK" "$PROGRAM"
echo "ARM music decoding: $(cat "$WORK/music-vorbis") M instructions a second with libvorbis," \
  "$(cat "$WORK/music-tremor") M instructions a second with Tremor"
