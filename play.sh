#!/bin/sh
# Builds Skarnfall (installing what is missing) and starts the game.
set -e
cd "$(dirname "$0")"
scripts/ensure-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARNFALL_TESTS=OFF > build.log 2>&1 \
  || { cat build.log; exit 1; }
cmake --build build -j "$(nproc)" >> build.log 2>&1 || { tail -40 build.log; exit 1; }
exec build/game/skarnfall "$@"
