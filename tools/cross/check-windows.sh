#!/bin/bash
# Proves the Windows build under Wine (Debian 12's wine64 on a private Xvfb, in a fresh Wine
# prefix in the build folder): the libraries built from Debian's sources, the game, tests and
# runner cross-built with MinGW-w64; the suite passes; the four levels' replays and the
# runner's screens give the desktop's summaries and pictures; the game reaches its title in
# a Wine window showing the desktop's title frame; a profile made through the menus lands in
# AppData\Roaming\Skarnfall beside a look-alike file that is kept; a second copy is refused;
# portable.txt keeps the saves beside the program; the close button ends with status 0.
# Usage: tools/cross/check-windows.sh [BUILD_DIR]   (default build/windows-check)
# Exits 0 only when every check passes. As root it installs what it needs.
set -eu
cd "$(dirname "$0")/../.."
SOURCE=$(pwd)
BUILD=${1:-build/windows-check}
mkdir -p "$BUILD"
BUILD=$(cd "$BUILD" && pwd)
START=$(date +%s)
FAILED=""
note() { echo "== [$(($(date +%s) - START)) s] $*"; }
fail() {
  echo "** FAILED: $*"
  FAILED="$FAILED
  $*"
}
. tools/cross/mingw.sh

# shellcheck disable=SC2086 # a list of packages
scripts/ensure-deps.sh $MINGW_HOST_PACKAGES wine64 xvfb xdotool x11-apps python3 > /dev/null

mingw_libraries "$BUILD/prefix" "$BUILD/libs" || exit 1

note "Building the desktop reference: its media generator, media and runner"
DESKTOP=$BUILD/desktop
mingw_host_tools "$DESKTOP" "$BUILD/desktop.log" || exit 1

note "Cross-building the game, tests and runner for Windows"
CROSS=$BUILD/cross
cmake -S . -B "$CROSS" -DCMAKE_TOOLCHAIN_FILE="$SOURCE/tools/cross/mingw-toolchain.cmake" \
  -DSKARNFALL_WINDOWS_PREFIX="$BUILD/prefix" -DSKARNFALL_HOST_MEDIAGEN="$DESKTOP/media/mediagen" \
  -DSKARNFALL_HOST_RUNNER="$DESKTOP/game/skarnfall-run" -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$BUILD/cross.log" 2>&1 &&
  cmake --build "$CROSS" -j2 >> "$BUILD/cross.log" 2>&1 || { tail -60 "$BUILD/cross.log"; exit 1; }
GAME=$CROSS/game
x86_64-w64-mingw32-gcc-posix -municode -O2 -Wall -Wextra tools/cross/close_window.c \
  -o "$BUILD/close_window.exe"

note "Starting a fresh Wine prefix on a private Xvfb"
export WINEPREFIX=$BUILD/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
WINE=/usr/lib/wine/wine64
rm -rf "$WINEPREFIX"
exec 4< <(exec Xvfb -displayfd 1 -noreset -screen 0 1024x768x24 -nolisten tcp 2> /dev/null)
XPID=$!
trap 'kill $XPID 2> /dev/null; /usr/lib/wine/wineserver -k 2> /dev/null || :' EXIT
read -r -t 30 display <&4 || { echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$display
$WINE wineboot --init > "$BUILD/wineboot.log" 2>&1 || { cat "$BUILD/wineboot.log"; exit 1; }
ROAMING=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming

note "Running the suite under Wine"
if (cd "$CROSS" && ctest -j2 --timeout 1800 --output-on-failure) > "$BUILD/ctest.log" 2>&1; then
  grep -E "tests passed|Total Test time" "$BUILD/ctest.log"
else
  grep -E "tests passed|tests failed|^The following|\*\*\*|Failed|Total Test time" "$BUILD/ctest.log"
  fail "the test suite under Wine (see $BUILD/ctest.log)"
fi

note "Skarnfall.exe answers --help on the output it was started with"
$WINE "$GAME/Skarnfall.exe" --help 2> /dev/null | grep -q 'APPDATA%\\Skarnfall\\controls.conf' ||
  fail "Skarnfall.exe --help printed no usage naming %APPDATA%\\Skarnfall"

note "The four levels: the desktop's pilot runs, then their replays under Wine"
mkdir -p "$BUILD/replays"
for level in 1 2 3 4; do
  replay=$BUILD/replays/level$level.replay
  desktop=$("$DESKTOP/game/skarnfall-run" --level $level --health 99 --seed $((20 + level)) \
    --record "$replay" --quiet 2> /dev/null)
  windows=$($WINE "$GAME/skarnfall-run.exe" --replay "Z:$replay" --quiet 2> /dev/null | tr -d '\r')
  if [ -n "$desktop" ] && [ "$desktop" = "$windows" ]; then
    echo "level $level: $windows"
  else
    fail "level $level's replay: desktop $desktop, Windows $windows"
  fi
done

note "The runner's screens through the whole flow, desktop and Windows"
rm -rf "$BUILD/screens"
mkdir -p "$BUILD/screens/desktop" "$BUILD/screens/windows"
"$DESKTOP/game/skarnfall-run" --flow --max-ticks 100 --quiet \
  --shot-screens "$BUILD/screens/desktop/screen" > /dev/null 2>&1
$WINE "$GAME/skarnfall-run.exe" --flow --max-ticks 100 --quiet \
  --shot-screens "Z:$BUILD/screens/windows/screen" > /dev/null 2>&1
screens=0
for shot in "$BUILD"/screens/desktop/*.png; do
  screens=$((screens + 1))
  python3 tools/cross/window_frame.py "$BUILD/screens/windows/$(basename "$shot")" "$shot" > /dev/null ||
    fail "the runner's $(basename "$shot") differs from the desktop's"
done
[ "$screens" -gt 0 ] || fail "the desktop runner wrote no screens"
echo "$screens screens compared"

# The real game under Wine. Its trace (SKARNFALL_TRACE) says what it sees.
OUT=$BUILD/game.out
# PATTERN SECONDS: waits until the game's trace holds PATTERN.
expect() {
  local until=$((SECONDS + $2))
  while ((SECONDS < until)); do
    grep -q "$1" "$OUT" 2> /dev/null && return 0
    sleep 0.2
  done
  return 1
}
# FOLDER ARGS...: starts the game in FOLDER in a window, its trace in OUT; sets PID.
start_game() {
  local folder=$1
  shift
  : > "$OUT"
  SKARNFALL_TRACE=1 SDL_AUDIODRIVER=dummy $WINE "$folder/Skarnfall.exe" --window "$@" > "$OUT" 2>&1 &
  PID=$!
}
# Presses the close button's WM_CLOSE; STATUS is the game's exit status.
close_game() {
  $WINE "$BUILD/close_window.exe" SDL_app Skarnfall > /dev/null 2>&1 || fail "no game window to close"
  STATUS=0
  wait "$PID" || STATUS=$?
}

note "The game in a Wine window: its title, a profile, a second copy, the close button"
mkdir -p "$ROAMING/Skarnfall/profiles"
echo "kept" > "$ROAMING/Skarnfall/profiles/profile01.txt.old"  # a look-alike file
started=$(date +%s%N)
start_game "$GAME"
if expect "Fading In12" 60; then
  echo "start to title: $((($(date +%s%N) - started) / 1000000)) ms"
  sleep 1
  window=""
  for _ in $(seq 1 50); do
    window=$(xdotool search --name '^Skarnfall$' | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  xwd -id "$window" -out "$BUILD/title.xwd"
  python3 tools/cross/window_frame.py "$BUILD/title.xwd" "$BUILD/screens/desktop/screen-0.png" ||
    fail "the title in the Wine window is not the desktop's title frame"
  # A second copy on the same saves: a message box, closed, then status 1.
  second=0
  $WINE "$GAME/Skarnfall.exe" --window > "$BUILD/second.out" 2>&1 &
  secondPid=$!
  for _ in $(seq 1 50); do
    $WINE "$BUILD/close_window.exe" '#32770' Skarnfall > /dev/null 2>&1 && break
    sleep 0.2
  done
  wait "$secondPid" || second=$?
  [ "$second" = 1 ] && grep -q "another copy of Skarnfall" "$BUILD/second.out" ||
    fail "a second copy was not refused (status $second)"
  # Space through the title and instructions, Up to "Create New", Space to create it in
  # slot 1 under the offered name.
  xdotool windowfocus --sync "$window"
  for key in space space Up space space space; do
    xdotool key $key
    sleep 1.5
  done
  close_game
  [ "$STATUS" = 0 ] || fail "the close button ended the game with status $STATUS"
  grep -q '^1' "$ROAMING/Skarnfall/profiles/profile01.txt" 2> /dev/null ||
    fail "no profile made through the menus in AppData\\Roaming\\Skarnfall"
  [ "$(cat "$ROAMING/Skarnfall/profiles/profile01.txt.old")" = kept ] || fail "the look-alike file was not kept"
else
  fail "the game did not reach its title under Wine (see $OUT)"
  kill "$PID" 2> /dev/null || :
fi

note "A portable copy: portable.txt keeps the saves beside the program"
PORTABLE=$BUILD/portable
rm -rf "$PORTABLE"
cp -R "$GAME" "$PORTABLE"
rm -rf "$PORTABLE/profiles" "$PORTABLE/records"
echo "Saves beside the program." > "$PORTABLE/portable.txt"
start_game "$PORTABLE"
if expect "Fading In12" 60; then
  close_game
  [ "$STATUS" = 0 ] || fail "the portable game's close button gave status $STATUS"
  [ -f "$PORTABLE/profiles/profile05.txt" ] && [ -f "$PORTABLE/skarnfall.lock" ] ||
    fail "the portable copy's saves are not beside the program"
else
  fail "the portable copy did not reach its title"
  kill "$PID" 2> /dev/null || :
fi

END=$(date +%s)
echo "== Whole pass $((END - START)) s"
if [ -n "$FAILED" ]; then
  echo "== The Windows check failed:$FAILED"
  exit 1
fi
echo "== The Windows check passed"
