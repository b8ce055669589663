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

# Clock ticks of each thread: "id name ticks" lines.
thread_ticks() {
  for task in /proc/"$game_pid"/task/*; do
    echo "${task##*/} $(tr ' ' '_' < "$task/comm") $(awk '{ print $14 + $15 }' "$task/stat")"
  done
}

sample() {
  before=$(bench_cpu_ticks "$game_pid")
  threads_before=$(thread_ticks)
  sleep "$seconds"
  after=$(bench_cpu_ticks "$game_pid")
  threads_after=$(thread_ticks)
  awk -v what="$1" -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "%-28s %5.2f%% of one core (%d ticks of 1/%d s in %d s)\n", what, 100 * t / hz / s, t, hz, s }'
  printf '%s\n--\n%s\n' "$threads_before" "$threads_after" | awk -v hz="$hz" -v s="$seconds" '
    $0 == "--" { after = 1; next }
    !after { before[$1] = $3; next }
    { spent[$2] += $3 - before[$1] }
    END { for (name in spent) if (spent[name] > 0) printf "    threads %-16s %5.2f%%\n", name, 100 * spent[name] / hz / s }'
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
# Where the resident memory is: pages of shared libraries, the heap, and the rest.
awk '/^[0-9a-f]+-[0-9a-f]+ / { kind = $6 ~ /\.so/ ? "libraries" : ($6 == "[heap]" ? "heap" : "other") }
  /^Rss:/ { kb[kind] += $2 }
  END { printf "    of it: shared libraries %.1f MB, heap %.1f MB, other %.1f MB\n", kb["libraries"] / 1024, kb["heap"] / 1024, kb["other"] / 1024 }' \
  "/proc/$game_pid/smaps"
