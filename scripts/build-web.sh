#!/bin/sh
# Builds the browser version of Skarnfall into a folder any static web server can serve:
# index.html, its service worker and manifest, the icons, and a folder named by the version
# (v/VERSION/) holding the scripts, skarnfall.js, skarnfall.wasm.gz, the media packs and the music.
# Installs Emscripten when missing (as root; never with SKARNFALL_NO_INSTALL set).
# Usage: scripts/build-web.sh [OUT_DIR [WORK_DIR]]
# WORK_DIR (default build) takes the build trees and logs: web-host, web-wasm.
# SKARNFALL_WEB_MEDIA may name a game folder whose media are already generated.
set -e
here=$(pwd)
cd "$(dirname "$0")/.."
absolute() { case "$1" in /*) echo "$1" ;; *) echo "$here/$1" ;; esac; }
OUT=${1:+$(absolute "$1")}
OUT=${OUT:-$PWD/build/web}
WORK=${2:+$(absolute "$2")}
WORK=${WORK:-$PWD/build}
JOBS=$(nproc)
scripts/ensure-deps.sh --web
mkdir -p "$WORK"

step() {
  log=$1; shift
  "$@" >> "$log" 2>&1 || { tail -40 "$log"; exit 1; }
}

# Emscripten's tools run on node; a node from outside Debian finds Debian's modules here.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"

# The media generator and the runner are host programs: build them for this machine to make
# the media and attract mode's runs, which the web build then packs into its data.
MEDIA=${SKARNFALL_WEB_MEDIA:-$WORK/web-host/game}
if [ -z "${SKARNFALL_WEB_MEDIA:-}" ]; then
  : > "$WORK/web-host.log"
  step "$WORK/web-host.log" cmake -S . -B "$WORK/web-host" -DCMAKE_BUILD_TYPE=Release \
    -DSKARNFALL_TESTS=OFF
  step "$WORK/web-host.log" cmake --build "$WORK/web-host" -j "$JOBS" --target attract_runs
fi

: > "$WORK/web-wasm.log"
step "$WORK/web-wasm.log" emcmake cmake -S . -B "$WORK/web-wasm" -DCMAKE_BUILD_TYPE=Release \
  -DSKARNFALL_WEB_MEDIA="$MEDIA"
step "$WORK/web-wasm.log" cmake --build "$WORK/web-wasm" -j "$JOBS"

# A folder holding an earlier build of the game is emptied first, so that no file of an
# older version or layout stays beside the new one; any other folder is only added to.
if grep -qs skarnfall "$OUT/index.html"; then rm -rf "$OUT"; fi
mkdir -p "$OUT"
cp -R "$WORK"/web-wasm/site/. "$OUT/"
echo "The browser version is in $OUT"
