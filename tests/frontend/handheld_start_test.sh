#!/bin/bash
# The handheld build started as its device starts it, with no DISPLAY, WAYLAND_DISPLAY or
# SDL_VIDEODRIVER at all: it never gives the desktop's refusal, and either reaches its
# title or leaves with status 1 and SDL's reason for the video. With SDL's dummy driver it
# must reach the title, still be running there, and end with status 143 on SIGTERM.
# Usage: handheld_start_test.sh GAME_DIR   (SKARNFALL_EMULATOR runs a cross build's game)
. "$(dirname "$0")/../../scripts/game-copy.sh" "$1"
fail() { echo "handheld start: $1"; exit 1; }

# [environment...]: starts the game; 0 if it reached its title and left with 143 on
# SIGTERM, 1 if it ended first (its status in $status, its words in $dir/said).
start_to_title() {
  rm -f "$dir/out"
  mkfifo "$dir/out"
  # shellcheck disable=SC2086 # the emulator is a command with its options
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$@" \
    $SKARNFALL_EMULATOR "$dir/skarnfall" > "$dir/out" 2> "$dir/said" &
  pid=$!
  exec 3< "$dir/out"
  if ! wait_for_title 120; then
    exec 3<&-
    wait_for_end 5
    [ $status = hung ] && fail "$*: no title in 120 s"
    return 1
  fi
  sleep 1  # the title must hold, not flash past on the way to an exit
  kill -0 $pid 2> /dev/null || fail "$*: gone right after its title"
  kill -TERM $pid
  wait_for_end 10
  [ $status = hung ] && fail "$*: SIGTERM ignored"
  exec 3<&-
  [ $status -eq 143 ] || fail "$*: ended with status $status after SIGTERM, not 143"
  return 0
}

# As on the device: no display variables, no driver named.
if start_to_title SDL_AUDIODRIVER=dummy; then
  echo "without display variables: title reached, status 143 on SIGTERM"
else
  [ $status -eq 1 ] || fail "without display variables: status $status instead of 1"
  grep -q "video" "$dir/said" || fail "without display variables: left without the video's reason"
  echo "without display variables: status 1, saying: $(tail -1 "$dir/said")"
fi
grep -q "No display found" "$dir/said" && fail "the desktop's refusal: $(cat "$dir/said")"

start_to_title SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ||
  fail "dummy driver: ended with status $status before its title: $(cat "$dir/said")"
echo "dummy driver: title reached, status 143 on SIGTERM"
echo "handheld start ok"
