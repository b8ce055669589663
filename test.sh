#!/bin/sh
# Builds Skarnfall with its tests (installing what is missing) and runs the whole suite,
# then again under AddressSanitizer and UndefinedBehaviorSanitizer.
# Usage: ./test.sh [--quick]   (--quick skips the sanitizer pass)
set -e
cd "$(dirname "$0")"
scripts/ensure-deps.sh
JOBS=$(nproc)

run_suite() {
  dir=$1; shift
  echo "== Building in $dir ($*)"
  cmake -S . -B "$dir" "$@" > "$dir.log" 2>&1 || { cat "$dir.log"; exit 1; }
  cmake --build "$dir" -j "$JOBS" >> "$dir.log" 2>&1 || { tail -60 "$dir.log"; exit 1; }
  echo "== Testing in $dir"
  (cd "$dir" && ctest --output-on-failure -j "$JOBS")
}

mkdir -p build
run_suite build/tests -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "$1" != "--quick" ]; then
  run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DSKARNFALL_SANITIZE=ON
fi
echo "== All tests passed"
