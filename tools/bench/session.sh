# Shared by the benchmarks that run the real game: a private X server of the game's own
# size, a throw-away copy of the game directory with a slot-1 profile that starts level 1
# with 99 health (so an idle ship lives through a measurement), and key presses.
# Needs: Xvfb, xdotool. Sourced with GAME_DIR set.
bench_start_x() {
  display_number=${BENCH_DISPLAY:-77}
  while [ -e "/tmp/.X$display_number-lock" ]; do display_number=$((display_number + 1)); done
  export DISPLAY=":$display_number"
  Xvfb "$DISPLAY" -screen 0 320x240x24 -nolisten tcp > /dev/null 2>&1 &
  xvfb_pid=$!
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    xdotool getmouselocation > /dev/null 2>&1 && return 0
    sleep 0.3
  done
  echo "could not start Xvfb on $DISPLAY" >&2
  return 1
}

bench_copy_game() {
  work_dir=$(mktemp -d)
  cp -a "$GAME_DIR/." "$work_dir/"
  # Slot 1: stored marker, a 30-character name, then 100 health settings as byte + 48.
  python3 - "$work_dir/profiles/profile01.txt" << 'PY'
import sys
settings = [3 if i <= 10 else 0 for i in range(100)]
settings[1] = 99
data = b"1" + b"Bench".ljust(30) + bytes(s + 48 for s in settings)
open(sys.argv[1], "wb").write(data)
PY
}

# Builds the flip probe (flip_probe.c) into probe_dir, which bench_cleanup removes.
bench_build_probe() {
  probe_dir=$(mktemp -d)
  cc -O2 -shared -fPIC -o "$probe_dir/flip_probe.so" "$here/flip_probe.c" -ldl
}

# Waits up to $3 seconds for a line containing $1 in the file $2; fails if none came.
wait_for_line() {
  tries=$(($3 * 10))
  while ! grep -q "$1" "$2" 2> /dev/null; do
    [ "$tries" -gt 0 ] || { echo "no \"$1\" in $2 after $3 s" >&2; return 1; }
    sleep 0.1
    tries=$((tries - 1))
  done
}

bench_key() {
  xdotool key --clearmodifiers "$1"
  sleep "${2:-2.5}"
}

# CPU time (user + system, all threads) of a process in clock ticks.
bench_cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}

bench_cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2> /dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null
  [ -n "$work_dir" ] && rm -rf "$work_dir"
  [ -n "$probe_dir" ] && rm -rf "$probe_dir"
  return 0
}
