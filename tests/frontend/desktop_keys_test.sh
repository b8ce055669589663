#!/bin/bash
# The real game on a private Xvfb, driven by xdotool through X key codes: it reads the
# controls file at the start; under the French, German and US layouts the same physical
# keys fire west, fire north and drop a smart bomb, whatever letter the layout prints on
# them; then F11 and Alt+Enter switch between full screen and a window that keeps its
# scale, while the level flies on. Its trace (SKARNFALL_TRACE) is what it sees.
# Usage: desktop_keys_test.sh GAME_DIR
. "$(dirname "$0")/../../scripts/game-copy.sh" "$1"
fail() { echo "FAIL: $1"; tail -5 "$dir/said"; exit 1; }

exec 4< <(exec Xvfb -displayfd 1 -noreset -screen 0 1024x768x24 -nolisten tcp 2> /dev/null)
xpid=$!
trap 'kill $pid $xpid 2> /dev/null; rm -rf "$dir"' EXIT
read -r -t 30 display <&4 || fail "Xvfb did not start"
export DISPLAY=:$display

# Slot 1 holds a profile, so Space alone leads from the title into the first level, which
# it starts with 9 health points (setting 1 is "9") to outlive the checks.
printf '1%-30s39%s' PILOT "$(printf '3%.0s' {1..9})$(printf '0%.0s' {1..89})" \
  > "$dir/profiles/profile01.txt"

# A controls file with a line the game must read, refuse and name (the defaults hold).
mkdir -p "$dir/config/skarnfall"
echo "fire up = x" > "$dir/config/skarnfall/controls.conf"
mkfifo "$dir/out"
SKARNFALL_TRACE=1 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$dir/config" \
  "$dir/skarnfall" --scale 2 --fullscreen > "$dir/out" 2>&1 &
pid=$!
exec 3< "$dir/out"

# PATTERN SECONDS [KEY [EVERY]]: reads the game's output until a line holds PATTERN,
# pressing KEY (an X key code) every EVERY seconds (0.5) meanwhile; 1 when the output ends
# or time runs out first.
expect() {
  local line= until=$((SECONDS + $2))
  while ((SECONDS < until)); do
    if read -r -t "${4:-0.5}" line <&3; then
      echo "$line" >> "$dir/said"
      [[ $line == *"$1"* ]] && return 0
    elif (($? <= 128)); then
      return 1
    elif [ -n "${3:-}" ]; then
      xdotool key "$3"
    fi
  done
  return 1
}
# KEYCODE PATTERN: holds the key until the game says PATTERN (a press shorter than a frame
# would be let go before the ship looks at it, and frames are slow on a busy machine).
hold() {
  xdotool keydown "$1"
  expect "$2" 30
  local said=$?
  xdotool keyup "$1"
  return $said
}

expect "Entering Title Screen" 180 || fail "no title screen"
grep -q "controls.conf:1: unknown action 'fire up'" "$dir/said" || fail "no word on controls.conf"
# Space through the title, the instructions and slot 1; one more chooses the first level
# (another Space there, while the choice fades out, would fade it out again), and then
# Space leaves the level's high-score table.
expect "Serial Cable" 120 65 || fail "Space did not lead to the level selection"
sleep 1.5
xdotool key 65
expect "level running" 60 65 3 || fail "Space did not start the first level"
# key code: what the ship must do with it on every layout
checks=("38:ship fires west" "25:ship fires north" "24:ship drops a smart bomb")
# layout: the symbol its key 38 prints (so the layout is known to be in force)
for layout in fr:q de:a us:a; do
  setxkbmap "${layout%%:*}" || fail "setxkbmap ${layout%%:*}"
  for check in "${checks[@]}"; do
    code=${check%%:*}
    hold "$code" "${check#*:}" || fail "${layout%%:*}: key $code did not give '${check#*:}'"
  done
  grep -q "key 38: symbol ${layout#*:}, place a" "$dir/said" ||
    fail "${layout%%:*}: key 38 never came as '${layout#*:}'"
done

# The window's size; Xvfb has no window manager, so a full screen shows no size of its own.
size() { xdotool search --name '^Skarnfall$' getwindowgeometry | sed -n 's/.*Geometry: //p'; }
xdotool key F11
expect "full screen off" 30 || fail "F11 did not leave full screen"
sleep 0.5
[ "$(size)" = 640x480 ] || fail "the window left full screen is $(size), not twice 320x240"
xdotool key alt+Return
expect "full screen on" 30 || fail "Alt+Enter did not switch to full screen"
xdotool key F11
expect "full screen off" 30 || fail "F11 did not switch back"
sleep 0.5
[ "$(size)" = 640x480 ] || fail "the window came back as $(size), not 640x480"
hold 38 "ship fires west" || fail "the level did not fly on after the switches"
grep -q "level stopped" "$dir/said" && fail "the level ended during the checks"
echo "desktop keys ok"
