#!/bin/sh
# Start-up times of the real game in a 320x240 X server (Xvfb): from launching the program
# to the first frame of the title picture on the display, and from the frame showing
# "Loading..." to the level's first frame. A preloaded probe (flip_probe.c, built here)
# notes the times of the flips.
# Usage: tools/bench/startup.sh [GAME_DIR [RUNS]]   (default: build/game, 5 runs)
set -e
here=$(cd "$(dirname "$0")" && pwd)
GAME_DIR=$(cd "${1:-$here/../../build/game}" && pwd)
runs=${2:-5}
. "$here/session.sh"
trap bench_cleanup EXIT INT TERM
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
bench_build_probe

bench_start_x
bench_copy_game
cd "$work_dir"
for run in $(seq "$runs"); do
  SKARNFALL_BENCH_LAUNCH_NS=$(date +%s%N) LD_PRELOAD="$probe_dir/flip_probe.so" \
    ./skarnfall > /dev/null 2> "$probe_dir/run$run.log" &
  game_pid=$!
  wait_for_line "after launch" "$probe_dir/run$run.log" 30
  sleep 1.5                # the title fades in
  bench_key space          # title
  bench_key space          # instructions
  bench_key space          # load the profile in slot 1
  bench_key space          # level 1
  bench_key space 0        # its high-score table; the level loads
  wait_for_line "after \"Loading" "$probe_dir/run$run.log" 20
  kill "$game_pid"; wait "$game_pid" 2> /dev/null || true
  game_pid=
  echo "run $run: $(grep -o '[0-9.]* ms after launch' "$probe_dir/run$run.log")," \
    "$(grep -o '[0-9.]* ms after "Loading..."' "$probe_dir/run$run.log")"
done
cat "$probe_dir"/run*.log | awk '
  /after launch/ { n1++; s1 += $4; if ($4 > m1) m1 = $4 }
  /after "Loading/ { n2++; s2 += $5; if ($5 > m2) m2 = $5 }
  END {
    if (n1) printf "launch to the title picture'"'"'s first frame: average %.1f ms, worst %.1f ms (%d runs)\n", s1 / n1, m1, n1
    if (n2) printf "\"Loading...\" to the level'"'"'s first frame: average %.1f ms, worst %.1f ms (%d runs)\n", s2 / n2, m2, n2
    for (i = 1; i <= phases; i++) printf "  of the start-up, %-16s average %.1f ms\n", phase[i] ":", spent[phase[i]] / count[phase[i]]
  }
  /probe: phase/ {
    if (!(($3) in count)) phase[++phases] = $3
    count[$3]++; spent[$3] += $4
  }'
