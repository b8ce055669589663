#!/bin/sh
# Checks the ARM counting tools on small made-up inputs: the plugin counts every frame, the
# last one included, in the cycles its weights give; the report fails naming a missing mark;
# the host's media generator is built per source tree and again after a change; the ARMv4T
# scan fails on a planted clz.
# Usage: tools/cross/check-counting.sh WORK_DIR SYSROOT   (check-arm.sh runs it)
set -eu
cd "$(dirname "$0")/../.."
mkdir -p "$1"
WORK=$(cd "$1" && pwd)
SYSROOT=$2
note() { :; }
. tools/cross/armel.sh
FAILED=0
fail() { echo "** counting tools: $*"; FAILED=1; }

# The plugin: five frames of a function whose cycles are known, then work that is no frame.
# A frame runs to the next one's start, so the first four also hold the caller's loop (2
# instructions, 4 cycles); the last ends where its function returns.
cat > "$WORK/frames.s" << 'EOF'
  .arch armv4t
  .text
  .globl runLevelFrame
  .type runLevelFrame, %function
runLevelFrame:      @ 122 cycles: 1 + 10 loops of 10 + 9 taken branches of 2 more + 3
  mov r1, #10
1:ldr r2, [r0]      @ 1, and 1 more: the next instruction uses r2
  add r3, r2, #1    @ 1
  mul r3, r2, r3    @ 1 + 4 (the longest multiplier)
  subs r1, r1, #1   @ 1
  bne 1b            @ 1, 3 when taken
  bx lr             @ 3 (its taken 2 charged to the frame it leaves)
  .size runLevelFrame, . - runLevelFrame
  .section .note.GNU-stack, "", %progbits
EOF
cat > "$WORK/frames.c" << 'EOF'
void runLevelFrame(int* value);
int main(void) {
  static volatile int value = 1, sink;
  for (int frame = 0; frame < 5; frame++) runLevelFrame((int*)&value);
  for (int i = 0; i < 1000; i++) sink += i; /* the run's end: no frame's */
  return 0;
}
EOF
cc -O2 -Wall -Wextra -shared -fPIC -o "$WORK/plugin.so" tools/cross/frame_work_plugin.c
arm-linux-gnueabi-gcc -O1 -march=armv4t -marm -static "$WORK/frames.c" "$WORK/frames.s" -o "$WORK/frames"
arm-linux-gnueabi-nm -S --defined-only "$WORK/frames" |
  awk '$4 == "runLevelFrame" { print $1, ($2 == "" ? 0 : $2), "frame" }' > "$WORK/frames.syms"
base=$(arm-linux-gnueabi-readelf -lW "$WORK/frames" | awk '$1 == "LOAD" { print $3; exit }')
qemu-arm -cpu arm926 -plugin "$WORK/plugin.so,out=$WORK/frames.counts,syms=$WORK/frames.syms,base=$base" \
  "$WORK/frames"
frames=$(awk '$1 == "frame" { n++; insns = cycles = 0
    for (i = 3; i < 3 + (NF - 2) / 2; i++) insns += $i
    for (; i <= NF; i++) cycles += $i
    print insns, cycles }' "$WORK/frames.counts" | sort | uniq -c | sed 's/^ *//')
[ "$(echo "$frames" | paste -sd ' ')" = "1 52 122 4 54 126" ] ||
  fail "the plugin counted frames of (count, instructions, cycles) '$frames', not 1 of 52, 122 and 4 of 54, 126"

# The report: a counts file without the flip's mark, then one without any frame.
mkdir -p "$WORK/noflip" "$WORK/noframe"
printf 'regions game helpers sdl12 sdl2 sdllibs other\ncategories other background\n' > "$WORK/noflip/level1.counts"
echo "frame 1 1 0 2 0 0 3 0 0 4 0 0 0 2 0 3 0 0 4 0 0 5 0 0 0" >> "$WORK/noflip/level1.counts"
printf 'regions game helpers sdl12 sdl2 sdllibs other\ncategories other flip\nframes 0\n' > "$WORK/noframe/level1.counts"
for case in noflip:flip noframe:frame; do
  if tools/cross/frame-work-report.sh "$WORK/${case%:*}" /bin/true > "$WORK/report.out" 2>&1; then
    fail "the report passed without the \"${case#*:}\" mark"
  elif ! grep -q "\"${case#*:}\" mark" "$WORK/report.out"; then
    fail "the report failed without naming the \"${case#*:}\" mark: $(cat "$WORK/report.out")"
  fi
done

# The host's media generator: one folder per tree, built again when its source changes.
for tree in one two; do
  mkdir -p "$WORK/$tree/media"
  printf 'cmake_minimum_required(VERSION 3.13)\nproject(m C)\nadd_executable(mediagen main.c)\n' \
    > "$WORK/$tree/media/CMakeLists.txt"
  printf '#include <stdio.h>\nint main(void) { puts("%s"); return 0; }\n' "$tree" > "$WORK/$tree/media/main.c"
done
armel_host_mediagen "$WORK/one" "$WORK/gen" "$WORK/gen.log" && first=$HOSTGEN
armel_host_mediagen "$WORK/two" "$WORK/gen" "$WORK/gen.log"
[ "$("$first/mediagen")/$("$HOSTGEN/mediagen")" = "one/two" ] ||
  fail "one tree's media generator stood in for another's"
sleep 1 # a newer modification time than the first build's
sed -i 's/"one"/"one, changed"/' "$WORK/one/media/main.c"
armel_host_mediagen "$WORK/one" "$WORK/gen" "$WORK/gen.log"
[ "$("$HOSTGEN/mediagen")" = "one, changed" ] || fail "the media generator was not built again after a change"

# The ARMv4T scan: an ARMv4T object passes, a planted clz fails.
printf '.arch armv4t\n.text\nf: add r0, r0, r1\n bx lr\n' > "$WORK/v4t.s"
printf '.arch armv5te\n.text\ng: clz r0, r1\n bx lr\n' > "$WORK/clz.s"
arm-linux-gnueabi-as "$WORK/v4t.s" -o "$WORK/v4t.o"
arm-linux-gnueabi-as "$WORK/clz.s" -o "$WORK/clz.o"
tools/cross/armv4t-scan.sh "$WORK/v4t.o" > /dev/null || fail "the ARMv4T scan refused ARMv4T code"
if tools/cross/armv4t-scan.sh "$WORK/v4t.o" "$WORK/clz.o" > "$WORK/scan.out"; then
  fail "the ARMv4T scan passed a planted clz"
fi
grep -q 'clz.o: g: clz' "$WORK/scan.out" || fail "the ARMv4T scan did not name the planted clz"

[ $FAILED -eq 0 ] && echo "counting tools: every frame counted, marks required, generator per tree, clz found"
exit $FAILED
