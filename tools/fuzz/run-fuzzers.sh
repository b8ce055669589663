#!/bin/sh
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build/fuzz and runs each for SECONDS (default 10), starting from the seed corpus in
# tests/fuzz/corpus/<target>/. New inputs collect in build/fuzz/fuzz-corpus/<target>/;
# a crash is saved as build/fuzz/crash-* and ends the script with a non-zero status.
# Usage: tools/fuzz/run-fuzzers.sh [SECONDS]
set -e
cd "$(dirname "$0")/../.."
SECONDS_EACH=${1:-10}
BUILD=build/fuzz
TARGETS="profile profile_slots high_scores run_file"

command -v clang++ > /dev/null || { echo "run-fuzzers: clang++ is needed (scripts/ensure-deps.sh clang libclang-rt-14-dev)"; exit 1; }
mkdir -p build
echo "== Building fuzz targets in $BUILD"
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSKARNFALL_FUZZ=ON -DSKARNFALL_TESTS=OFF > "$BUILD.log" 2>&1 || { cat "$BUILD.log"; exit 1; }
# The targets start a game, which needs its font: the media generator makes it.
cmake --build "$BUILD" --target fuzzers media -j "$(nproc)" >> "$BUILD.log" 2>&1 || { tail -60 "$BUILD.log"; exit 1; }

export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for t in $TARGETS; do
  # Absolute paths: each target works in its own scratch directory.
  corpus="$PWD/$BUILD/fuzz-corpus/$t"
  mkdir -p "$corpus"
  log="$BUILD/fuzz_$t.log"
  echo "== fuzz_$t for $SECONDS_EACH s"
  if "$BUILD/fuzz_$t" -max_total_time="$SECONDS_EACH" -print_final_stats=1 \
        -artifact_prefix="$PWD/$BUILD/" "$corpus" "$PWD/tests/fuzz/corpus/$t" > "$log" 2>&1; then
    result="no crash"
  else
    result="FAILED (see $log)"
    status=1
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  feat=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  units=$(ls "$corpus" | wc -l)
  echo "   execs ${execs:-?} (${rate:-?}/s), coverage ${cov:-?} edges, ${feat:-?} features, corpus $units new files: $result"
done
exit $status
