#!/bin/sh
# Builds Skarnfall (installing what is missing) and starts the game.
set -e
cd "$(dirname "$0")"
# --web: the browser version, served on this machine only.
if [ "${1:-}" = "--web" ]; then
  scripts/build-web.sh build/web
  echo "Skarnfall is served at http://127.0.0.1:8000/ (Ctrl+C stops the server)"
  exec /usr/bin/python3 -m http.server 8000 --bind 127.0.0.1 --directory build/web
fi
scripts/ensure-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARNFALL_TESTS=OFF > build.log 2>&1 \
  || { cat build.log; exit 1; }
cmake --build build -j "$(nproc)" >> build.log 2>&1 || { tail -40 build.log; exit 1; }
exec build/game/skarnfall "$@"
