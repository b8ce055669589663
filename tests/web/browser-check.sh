#!/bin/sh
# Builds the browser version from the given game folder's media and checks it in headless
# Chromium against that game folder's desktop runner.
# Usage: tests/web/browser-check.sh WORK_DIR GAME_DIR   (run from the source tree)
set -e
work=$1
game=$2
SKARNFALL_WEB_MEDIA=$game scripts/build-web.sh "$work/site" > "$work.log" 2>&1 \
  || { tail -40 "$work.log"; exit 1; }
/usr/bin/python3 tests/web/browser_test.py "$work/site" "$game/skarnfall-run" "$work/check"
/usr/bin/python3 tests/web/saves_test.py "$work/site" "$work/check/desktop"
# The runner built for the browser replays the desktop's runs of the four levels.
/usr/bin/python3 tests/web/replay_test.py build/web-wasm/runner-site "$game/skarnfall-run" \
  "$work/replays" "${SKARNFALL_WEB_REPLAY_TICKS:-0}"
