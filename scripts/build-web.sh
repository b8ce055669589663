#!/bin/sh
# Builds the browser version of Skarnfall into a folder any static web server can serve:
# index.html, its scripts, skarnfall.js, skarnfall.wasm and skarnfall.data (the media).
# Installs Emscripten when missing (as root). Usage: scripts/build-web.sh [OUT_DIR]
# SKARNFALL_WEB_MEDIA may name a game folder whose media are already generated.
set -e
cd "$(dirname "$0")/.."
OUT=${1:-build/web}
JOBS=$(nproc)
scripts/ensure-deps.sh --web
mkdir -p build

step() {
  log=$1; shift
  "$@" >> "$log" 2>&1 || { tail -40 "$log"; exit 1; }
}

# Emscripten's tools run on node; a node from outside Debian finds Debian's modules here.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"

# The media generator is a host program: build it for this machine and let it make the
# media, which the web build then packs into its data file.
MEDIA=${SKARNFALL_WEB_MEDIA:-$PWD/build/web-media/game}
if [ -z "${SKARNFALL_WEB_MEDIA:-}" ]; then
  : > build/web-media.log
  step build/web-media.log cmake -S tools/mediagen -B build/web-media -DCMAKE_BUILD_TYPE=Release
  step build/web-media.log cmake --build build/web-media -j "$JOBS"
fi

: > build/web-wasm.log
step build/web-wasm.log emcmake cmake -S . -B build/web-wasm -DCMAKE_BUILD_TYPE=Release \
  -DSKARNFALL_WEB_MEDIA="$MEDIA"
step build/web-wasm.log cmake --build build/web-wasm -j "$JOBS"

mkdir -p "$OUT"
cp build/web-wasm/site/* "$OUT/"
echo "The browser version is in $OUT"
