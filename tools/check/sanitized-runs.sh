#!/bin/sh
# Builds the headless runner with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer (build/sanitize) and plays, with the built-in pilot: the four themed
# levels to their end, the whole menu flow with a new profile, and the replay of the
# first level's recording, which must end exactly as the recorded run did.
# Prints one line per run and the sanitizer findings; exits non-zero on any finding.
# Usage: tools/check/sanitized-runs.sh
set -e
cd "$(dirname "$0")/../.."
ROOT=$PWD
BUILD=build/sanitize
OUT=$BUILD/sanitized-runs
mkdir -p build
echo "== Building the runner with the sanitizers in $BUILD"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DSKARNFALL_SANITIZE=ON > "$BUILD.log" 2>&1 \
  || { cat "$BUILD.log"; exit 1; }
cmake --build "$BUILD" --target skarnfall-run -j "$(nproc)" >> "$BUILD.log" 2>&1 \
  || { tail -60 "$BUILD.log"; exit 1; }
rm -rf "$OUT"
mkdir -p "$OUT"

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
RUNNER=$BUILD/game/skarnfall-run
findings=0

# run NAME ARGS...: one run; its summary goes to OUT/NAME.json, its standard error
# (where the sanitizers report) to OUT/NAME.log.
run() {
  name=$1; shift
  if "$RUNNER" --quiet "$@" > "$OUT/$name.json" 2> "$OUT/$name.log"; then status=0; else status=$?; fi
  found=$(grep -c -E "ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:" "$OUT/$name.log" || true)
  if [ "$status" -ne 0 ] || [ "$found" -ne 0 ]; then
    findings=$((findings + 1))
    echo "   $name: exit status $status, $found sanitizer reports (see $OUT/$name.log)"
    grep -E "ERROR:|SUMMARY:|runtime error:" "$OUT/$name.log" | head -5 | sed 's/^/     /'
  else
    echo "   $name: clean  $(cat "$OUT/$name.json")"
  fi
}

echo "== Playing under the sanitizers"
for level in 1 2 3 4; do
  run "level$level" --level "$level" --health 99 --seed $((20 + level)) \
    --record "$ROOT/$OUT/level$level.replay"
done
run flow --flow --level 2 --health 99 --seed 7
run replay --replay "$ROOT/$OUT/level1.replay"
if [ -s "$OUT/replay.json" ] && ! cmp -s "$OUT/level1.json" "$OUT/replay.json"; then
  findings=$((findings + 1))
  echo "   replay: the playback did not end as the recorded run did"
fi

if [ "$findings" -eq 0 ]; then
  echo "== No findings in 6 runs"
else
  echo "== $findings of 6 runs had findings"
  exit 1
fi
