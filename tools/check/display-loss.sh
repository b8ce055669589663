#!/bin/bash
# Plays the built game on a private Xvfb, kills the X server while the title shows, and
# counts how the game ended: Xlib's handler exits with status 1; a crash in the threads
# SDL left running shows as a signal (status 128 + n), a hang as "hung".
# Usage: tools/check/display-loss.sh [GAME_DIR [RUNS]]  (default build/tests/game, 10 runs)
runs=${2:-10}
. "$(dirname "$0")/../../scripts/game-copy.sh" "${1:-build/tests/game}"
bad=0
for ((run = 1; run <= runs; run++)); do
  exec 4< <(Xvfb -displayfd 1 -screen 0 640x480x16 -nolisten tcp 2> /dev/null)
  xpid=$!
  read -r -t 30 display <&4 || { echo "Xvfb did not start"; exit 2; }
  mkfifo "$dir/out"
  DISPLAY=:$display SDL_AUDIODRIVER=dummy "$dir/skarnfall" > "$dir/out" 2> /dev/null &
  pid=$!
  exec 3< "$dir/out"
  wait_for_title 30 || :
  kill -KILL $xpid
  wait_for_end 10
  exec 3<&- 4<&-
  rm "$dir/out"
  echo "run $run: $status"
  [ "$status" = 1 ] || bad=$((bad + 1))
done
echo "$bad of $runs runs ended badly"
[ $bad -eq 0 ]
