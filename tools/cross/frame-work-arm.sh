#!/bin/sh
# Counts the ARM instructions and ARM9 cycles of each frame: records the first four levels'
# runs on the host (pilot, seed 1), plays them back in the ARMv4T runner on the classic SDL
# 1.2 under qemu-user with our own TCG plugin, the flip copying the display into a
# framebuffer as the device's does, and prints per level where the main thread's work went;
# then the sound thread's cycles (SDL_mixer with Tremor, as the game opens it) and what
# decoding the tunes costs with libvorbis and Tremor; then the goals.
# Usage: tools/cross/frame-work-arm.sh [BUILD_DIR]   (default build/arm; reuses the sysroot
# tools/cross/check-arm.sh left there, and makes what is missing)
# SOURCE_DIR=<tree> measures another source tree with this script's tools (its own media
# generator and builds, in folders keyed by the tree).
# MUSIC_SECONDS (default 30) is how much of each tune is decoded; SOUND_SECONDS (default
# 30) how much sound the mixer makes for its count.
# A benchmark: it prints figures and fails only when something cannot be built or run.
set -eu
cd "$(dirname "$0")/../.."
TOOLS=$(pwd)
SOURCE=$(cd "${SOURCE_DIR:-.}" && pwd)
BUILD=${1:-build/arm}
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
SYSROOT=$BUILD/sysroot
JOBS=2
MUSIC_SECONDS=${MUSIC_SECONDS:-30}
SOUND_SECONDS=${SOUND_SECONDS:-30}
CHANNELS=16 # the game's, all of which may play at once
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
WORK=$BUILD/frame-work$(armel_tree_key "$SOURCE")
HOSTRUN=$WORK/host
ARMRUN=$WORK/arm

scripts/ensure-deps.sh mmdebstrap qemu-user crossbuild-essential-armel dpkg-dev

# The sysroot is check-arm.sh's, with SDL_mixer built with Tremor.
armel_unpack "$SYSROOT" "$ARMEL_PACKAGES"
armel_mixer "$SYSROOT" "$BUILD/mixer" || die "SDL_mixer with Tremor could not be built"
mkdir -p "$WORK"
note "Building the media generator for the host from $SOURCE"
armel_host_mediagen "$SOURCE" "$BUILD" "$WORK/host-mediagen.log" || die "see $WORK/host-mediagen.log"

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
    set -- -DTREMOR -lvorbisidec -logg
  else
    set -- -lvorbisfile -lvorbis -logg -lm
  fi
  # shellcheck disable=SC2086
  arm-linux-gnueabi-gcc -O2 $ARCH_FLAGS --sysroot="$SYSROOT" \
    "$TOOLS/tools/cross/decode_count.c" -o "$WORK/decode-$decoder" "$@"
done
# The flip's copy into a framebuffer, loaded ahead of SDL; named as SDL 1.2's, whose work it is.
FLIP=$WORK/libSDL-1.2-flip.so
# shellcheck disable=SC2086
arm-linux-gnueabi-gcc -O2 $ARCH_FLAGS --sysroot="$SYSROOT" -Wall -Wextra -shared -fPIC \
  -I"$SYSROOT/usr/include/SDL" "$TOOLS/tools/cross/flip_copy.c" -o "$FLIP" -ldl
# shellcheck disable=SC2086
arm-linux-gnueabi-gcc -O2 $ARCH_FLAGS --sysroot="$SYSROOT" -Wall -Wextra \
  "$TOOLS/tools/cross/sound_count.c" -o "$WORK/sound-count" -lSDL_mixer -lSDL
# What effects the recorded runs start, counted in the host's runner.
cc -O2 -Wall -Wextra -shared -fPIC -I/usr/include/SDL "$TOOLS/tools/cross/effects_count.c" \
  -o "$WORK/effects.so" -ldl

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
    else if (name ~ /blitComposed\(|^fadedOverBlack\(/) kind = "compose"
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
  LD_PRELOAD="$WORK/effects.so" EFFECTS_OUT="$WORK/level$level.effects" \
    "$HOSTRUN/game/skarnfall-run" --level $level --seed 1 --pilot --quiet \
    --record "$WORK/level$level.replay" > "$WORK/level$level.host.json"
done

note "Playing them back under qemu-user with the counting plugin, $JOBS at a time"
play() { # LEVEL
  $QEMU -E LD_PRELOAD="$FLIP" -plugin "$PLUGIN,out=$WORK/level$1.counts,syms=$WORK/symbols,base=$BASE" "$PROGRAM" \
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
  awk '$1 == "instructions" { print $2 }' "$WORK/decode.count"
}
for decoder in vorbis tremor; do
  # shellcheck disable=SC2046 # two words each: seconds decoded, instructions
  set -- $(decode $decoder 0) $(decode $decoder "$MUSIC_SECONDS")
  # instructions a second of audio, less what opening the files costs
  awk -v base="$2" -v secs="$3" -v all="$4" 'BEGIN { printf "%.1f\n", (all - base) / secs / 1e6 }' \
    > "$WORK/music-$decoder"
done

note "The sound thread: $SOUND_SECONDS s of the tunes, without effects and with all $CHANNELS looping"
sound() { # EFFECTS: prints the sound thread's cycles a second
  # SDL's disk driver mixes as fast as the thread can, into nothing.
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null SDL_DISKAUDIODELAY=0 \
    $QEMU -plugin "$PLUGIN,out=$WORK/sound.count" "$WORK/sound-count" "$SOUND_SECONDS" "$1" \
    "$ARMRUN"/game/music/*.ogg : "$ARMRUN"/game/sounds/*.wav > "$WORK/sound.out" 2> /dev/null ||
    die "the sound thread's run failed"
  # Every thread but the main one (vCPU 0) is SDL's audio thread, mixing.
  awk 'NR == FNR { seconds = $1; next } $1 == "thread" && $2 != 0 { cycles += $4 }
    END { if (seconds <= 0 || cycles == 0) exit 1; printf "%d\n", cycles / seconds }' \
    "$WORK/sound.out" "$WORK/sound.count" || die "no sound thread was counted"
}
MUSIC_ONLY=$(sound 0)
ALL_EFFECTS=$(sound $CHANNELS)
# The effects the levels started, as channels playing on average over their frames.
cat "$WORK"/level[1-4].effects > "$WORK/effects"
FRAMES=$(cat "$WORK"/level[1-4].counts | grep -c '^frame ')
awk -v music="$MUSIC_ONLY" -v all="$ALL_EFFECTS" -v channels=$CHANNELS -v frames="$FRAMES" '
  $1 == "effects" { bytes += $3 }
  END { playing = bytes / (22050 * 4) / (frames / 62.5); perChannel = (all - music) / channels
        second = music + playing * perChannel
        printf "%.2f %.3f %.2f %.3f %.3f\n", second / 1e6, second / 62.5 / 1e6, playing,
          music / 62.5 / 1e6, all / 62.5 / 1e6 }' "$WORK/effects" > "$WORK/sound"

"$TOOLS/tools/cross/frame-work-report.sh" "$WORK" "$PROGRAM" || die "the report failed"
read -r SOUND_SECOND SOUND_FRAME PLAYING MUSIC_FRAME ALL_FRAME < "$WORK/sound"
echo "The sound thread, M cycles a frame: $MUSIC_FRAME for the music alone, $ALL_FRAME with all" \
  "$CHANNELS effect channels playing; the levels play $PLAYING effects at once on average"
echo "ARM sound thread: $SOUND_SECOND M cycles a second, $SOUND_FRAME M cycles a frame"
echo "ARM music decoding: $(cat "$WORK/music-vorbis") M instructions a second with libvorbis," \
  "$(cat "$WORK/music-tremor") M instructions a second with Tremor"

# The goals, in ARM9 cycles: a frame has 3.2 M at 200 MHz and 62.5 frames a second.
read -r AVERAGE WORST < "$WORK/summary"
awk -v a="$AVERAGE" -v w="$WORST" -v s="$SOUND_FRAME" 'BEGIN {
  w /= 1e6; a /= 1e6
  printf "Goals: main thread average %.2f M (at most 1.6: %s), worst %.2f M (at most 2.6: %s);", a,
    a <= 1.6 ? "met" : "NOT met", w, w <= 2.6 ? "met" : "NOT met"
  printf " sound %.3f M a frame (at most 0.35: %s); worst + sound %.2f M (at most 3.0: %s)\n", s,
    s <= 0.35 ? "met" : "NOT met", w + s, w + s <= 3.0 ? "met" : "NOT met" }'
