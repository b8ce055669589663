#!/bin/sh
# Builds Skarnfall with its tests (installing what is missing) and runs the whole suite,
# then again under AddressSanitizer and UndefinedBehaviorSanitizer, then runs each fuzz
# target for a few seconds when clang with libFuzzer is available (or installable).
# Usage: ./test.sh [--quick | --all]   (--quick runs the plain suite only; --all adds the
# handheld port's check, an ARM cross build whose suite runs under qemu-user, and the
# Windows build's, a MinGW-w64 cross build checked under Wine)
set -e
cd "$(dirname "$0")"
scripts/ensure-deps.sh --web
JOBS=$(nproc)

echo "== Checking the folder layers"
tools/check/layers.sh
echo "== Checking the house style"
tools/check/format.sh

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
if [ "${1:-}" != "--quick" ]; then
  run_suite build/sanitize -DCMAKE_BUILD_TYPE=Debug -DSKARNFALL_SANITIZE=ON
  if scripts/ensure-deps.sh clang libclang-rt-14-dev > /dev/null 2>&1; then
    tools/fuzz/run-fuzzers.sh 5
  else
    echo "== Skipping the fuzz smoke run: clang and libclang-rt-14-dev are not installed"
  fi
fi
if [ "${1:-}" = "--all" ]; then
  tools/cross/check-arm.sh build/arm
  tools/cross/check-windows.sh build/windows-check
fi
echo "== All tests passed"
