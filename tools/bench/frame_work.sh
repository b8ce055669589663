#!/bin/sh
# Counts the instructions of every level frame (runLevelFrame: ship, objects and combat,
# the three layers, every sprite, the status bar, the fade step and the present) while
# the built-in pilot plays each themed level with a fixed seed in a 320x240 window of the
# dummy video driver, and prints the average and the heaviest frame per level.
# Usage: tools/bench/frame_work.sh [GAME_DIR [LEVEL...]]
#   GAME_DIR  the game directory holding skarnfall-run (default: build/game)
#   LEVEL     levels to play (default: 1 2 3 4)
# Environment: SEED (default 1), HEALTH (default 99), MAX_TICKS (default 0: whole level),
#   KEEP=DIR keeps the callgrind output there.
set -e
here=$(cd "$(dirname "$0")/../.." && pwd)
game_dir=${1:-$here/build/game}
[ $# -gt 0 ] && shift
levels=${*:-1 2 3 4}
seed=${SEED:-1}
health=${HEALTH:-99}
max_ticks=${MAX_TICKS:-0}
frame_fn='runLevelFrame(level&, levelRun&, int)'

command -v valgrind > /dev/null || { echo "frame_work.sh: valgrind is needed" >&2; exit 1; }
[ -x "$game_dir/skarnfall-run" ] || { echo "frame_work.sh: no $game_dir/skarnfall-run" >&2; exit 1; }
out_dir=${KEEP:-$(mktemp -d)}
mkdir -p "$out_dir"

for level in $levels; do
  out="$out_dir/frames-level$level.callgrind"
  # Collect only inside the frame function and close a part after every call: each part
  # of the combined output is then exactly one frame.
  valgrind --tool=callgrind --toggle-collect="$frame_fn" --dump-after="$frame_fn" \
    --combine-dumps=yes --dump-instr=no --dump-line=no --callgrind-out-file="$out" \
    "$game_dir/skarnfall-run" --level "$level" --health "$health" --seed "$seed" --pilot \
    --quiet --max-ticks "$max_ticks" > "$out_dir/summary-level$level.json" 2> "$out_dir/valgrind-level$level.log"
  awk -v level="$level" -v summary="$(cat "$out_dir/summary-level$level.json")" '
    /^desc: Trigger: --dump-after/ { frame = 1; next }
    /^desc: Trigger:/ { frame = 0; next }
    /^totals:/ && frame { n++; sum += $2; if ($2 > max) { max = $2; at = n } }
    END {
      if (n == 0) { printf "level %s: no frame was counted\n", level; exit 1 }
      printf "level %s: %d frames, average %.0f instructions per frame, heaviest %d (frame %d)\n",
             level, n, sum / n, max, at
      printf "  run: %s\n", summary
    }' "$out"
done
[ -n "$KEEP" ] || rm -rf "$out_dir"
