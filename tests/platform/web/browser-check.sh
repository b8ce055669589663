#!/bin/sh
# Builds the browser version inside WORK_DIR from a copy of the given game folder's media
# and checks it in headless Chromium, Firefox ESR and WebKitGTK (on an Xvfb display of its
# own) against that game folder's desktop runner, then checks that the packed data follows
# a change to the media, and the site kept for playing offline, moving whole to the new
# version. Installs nothing:
# a missing package fails the check by name (./test.sh installs them first).
# Usage: tests/platform/web/browser-check.sh WORK_DIR GAME_DIR   (run from the source tree)
set -e
work=$1
game=$2
export SKARNFALL_NO_INSTALL=1
fail() { echo "FAIL $1"; exit 1; }
build() {
  SKARNFALL_WEB_MEDIA=$work/media scripts/build-web.sh "$work/site" "$work" > "$work.log" 2>&1 \
    || { tail -40 "$work.log"; exit 1; }
}
mkdir -p "$work/media"
cp -a "$game/." "$work/media/"
echo "packed" > "$work/media/fonts/stale-check"
build
packed() { gzip -dc "$work"/site/v/*/title.pack | grep -aq "$1"; }
packed stale-check || fail "the packed data lacks a media file"
/usr/bin/python3 tests/platform/web/browser_test.py "$work/site" "$game/skarnfall-run" "$work/check"
/usr/bin/python3 tests/platform/web/browser_test.py "$work/site" "$game/skarnfall-run" "$work/firefox" \
  firefox
/usr/bin/python3 tests/platform/web/browser_test.py "$work/site" "$game/skarnfall-run" "$work/webkit" \
  webkit
/usr/bin/python3 tests/platform/web/saves_test.py "$work/site" "$work/check/desktop"
# The runner built for the browser replays the desktop's runs of the four levels.
/usr/bin/python3 tests/platform/web/replay_test.py "$work/web-wasm/runner-site" "$game/skarnfall-run" \
  "$work/replays" "${SKARNFALL_WEB_REPLAY_TICKS:-0}"
# A media file removed and another changed: the next build packs the media as they are,
# and is a new version, to which a page kept for playing offline moves whole.
rm -rf "$work/site-a"
cp -R "$work/site" "$work/site-a"
rm "$work/media/fonts/stale-check"
echo "changed-media-check" >> "$work/media/fonts/xirod.ttf"
build
! packed stale-check || fail "the packed data kept a removed file"
packed changed-media-check || fail "the packed data is stale"
/usr/bin/python3 tests/platform/web/offline_test.py "$work/site-a" "$work/site"
echo "browser check ok"
