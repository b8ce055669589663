#!/bin/sh
# Counts the instructions of every level frame (runLevelFrame: ship, objects and combat,
# the three layers, every sprite, the status bar, the fade step and the present) while
# the built-in pilot plays each themed level with a fixed seed in a 320x240 window of the
# dummy video driver, and prints the average and the heaviest frame per level, with and
# without the library's own work inside SDL_Flip.
# Usage: tools/bench/frame_work.sh [GAME_DIR [LEVEL...]]
#   GAME_DIR  the game directory holding skarnfall-run (default: build/game)
#   LEVEL     levels to play (default: 1 2 3 4)
# Environment: SEED (default 1), HEALTH (default 99), MAX_TICKS (default 0: whole level),
#   KEEP=DIR keeps the callgrind output there, REPLAYS=DIR plays DIR/levelN.replay instead
#   of the live pilot (recorded there first when missing), so the pilot's own decisions
#   are not counted as frame work.
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
  play="--level $level --health $health --seed $seed --pilot --max-ticks $max_ticks"
  if [ -n "$REPLAYS" ]; then
    replay="$REPLAYS/level$level.replay"
    mkdir -p "$REPLAYS"
    [ -f "$replay" ] || "$game_dir/skarnfall-run" $play --quiet --record "$replay" > /dev/null
    play="--replay $replay"
  fi
  # Collect only inside the frame function and close a part after every call: each part
  # of the combined output is then exactly one frame.
  valgrind --tool=callgrind --toggle-collect="$frame_fn" --dump-after="$frame_fn" \
    --combine-dumps=yes --dump-instr=no --dump-line=no --callgrind-out-file="$out" \
    "$game_dir/skarnfall-run" $play --quiet > "$out_dir/summary-level$level.json" 2> "$out_dir/valgrind-level$level.log"
  # Per frame: the part's total, and the part of it spent inside SDL_Flip (the library
  # converting the 16-bit display into the window's pixels and presenting it).
  awk -v level="$level" -v summary="$(cat "$out_dir/summary-level$level.json")" '
    function named(field,   id) {
      id = field; sub(/\).*/, "", id); sub(/^[a-z]*=\(/, "", id)
      if (field ~ /\) /) { name[id] = field; sub(/^[^)]*\) /, "", name[id]) }
      return id
    }
    /^desc: Trigger: --dump-after/ { frame = 1; flip = 0; next }
    /^desc: Trigger:/ { frame = 0; next }
    /^c?fn=/ { id = named($0); if ($0 ~ /^cfn=/) callee = id; next }
    /^calls=/ { inCall = 1; next }
    inCall { inCall = 0; if (name[callee] == "SDL_Flip") flip += $2; next }
    /^totals:/ && frame {
      n++; sum += $2; own = $2 - flip; ownSum += own; flipSum += flip
      if ($2 > max) { max = $2; at = n }
      if (own > ownMax) { ownMax = own; ownAt = n }
    }
    END {
      if (n == 0) { printf "level %s: no frame was counted\n", level; exit 1 }
      printf "level %s: %d frames\n", level, n
      printf "  frame work without the flip: average %.0f, heaviest %d (frame %d)\n", ownSum / n, ownMax, ownAt
      printf "  SDL_Flip (library: 16-bit display to window): average %.0f\n", flipSum / n
      printf "  frame work with the flip:    average %.0f, heaviest %d (frame %d)\n", sum / n, max, at
      printf "  run: %s\n", summary
    }' "$out"
done
[ -n "$KEEP" ] || rm -rf "$out_dir"
