#!/bin/sh
# Processor use of the real game in a 320x240 X server (Xvfb): waiting on the title
# picture, waiting on the level menu, and playing level 1 (an idle ship with 99 health),
# each sampled from /proc/<pid>/stat over SECONDS seconds, with the peak resident memory
# (VmHWM) reached during the level.
# Usage: tools/bench/cpu.sh [GAME_DIR]     (default: build/game)
# Environment: SECONDS_SAMPLED (default 10); SDL_AUDIODRIVER (default dummy: music and effects are
#   mixed in real time as with a sound card).
set -e
here=$(cd "$(dirname "$0")" && pwd)
GAME_DIR=$(cd "${1:-$here/../../build/game}" && pwd)
seconds=${SECONDS_SAMPLED:-10}
. "$here/session.sh"
trap bench_cleanup EXIT INT TERM
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
hz=$(getconf CLK_TCK)

sample() {
  before=$(bench_cpu_ticks "$game_pid")
  sleep "$seconds"
  after=$(bench_cpu_ticks "$game_pid")
  awk -v what="$1" -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "%-28s %5.2f%% of one core (%d ticks of 1/%d s in %d s)\n", what, 100 * t / hz / s, t, hz, s }'
}

bench_build_probe
bench_start_x
bench_copy_game
cd "$work_dir"
# The probe tells when the title is up and when the level has started.
LD_PRELOAD="$probe_dir/flip_probe.so" ./skarnfall > /dev/null 2> "$probe_dir/probe.log" &
game_pid=$!
wait_for_line "after launch" "$probe_dir/probe.log" 30
sleep 2                  # the title fades in
sample "title picture, waiting:"
bench_key space          # title
bench_key space          # instructions
bench_key space          # load the profile in slot 1
sample "level menu, waiting:"
bench_key space          # level 1
bench_key space 0        # its high-score table; the level loads
wait_for_line "after \"Loading" "$probe_dir/probe.log" 20
sleep 3                  # the level fades in
sample "level 1, playing:"
grep -E 'VmHWM|VmRSS' "/proc/$game_pid/status" | awk '{ printf "%-28s %6.1f MB\n", $1, $2 / 1024 }'
