#!/bin/sh
# Plays one whole level with the built-in pilot under Valgrind's memcheck (a plain build in
# build/memcheck) and fails on any memory error or on bytes definitely or indirectly lost.
# Leaks inside the system libraries (SDL2, drivers) are named in valgrind.supp beside this
# script; nothing of the game's own is suppressed.
# Usage: tools/check/memcheck-level.sh [LEVEL]   (default 1; takes several minutes)
set -e
cd "$(dirname "$0")/../.."
ROOT=$PWD
LEVEL=${1:-1}
BUILD=build/memcheck
command -v valgrind > /dev/null || { echo "memcheck-level: valgrind is needed"; exit 1; }
mkdir -p build
echo "== Building the runner in $BUILD"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARNFALL_TESTS=OFF > "$BUILD.log" 2>&1 \
  || { cat "$BUILD.log"; exit 1; }
cmake --build "$BUILD" --target skarnfall-run -j "$(nproc)" >> "$BUILD.log" 2>&1 \
  || { tail -60 "$BUILD.log"; exit 1; }

LOG=$BUILD/memcheck-level$LEVEL.log
echo "== Level $LEVEL under memcheck (log: $LOG)"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
status=0
valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
  --errors-for-leak-kinds=definite,indirect --error-exitcode=99 \
  --suppressions="$ROOT/tools/check/valgrind.supp" --log-file="$LOG" \
  "$BUILD/game/skarnfall-run" --level "$LEVEL" --health 99 --seed $((20 + LEVEL)) --quiet \
  || status=$?
grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|still reachable|suppressed:" "$LOG" \
  | sed 's/^==[0-9]*== */   /'
if [ "$status" -ne 0 ]; then
  echo "== memcheck found problems (status $status): see $LOG"
  exit 1
fi
echo "== No memory errors and no definitely or indirectly lost bytes"
