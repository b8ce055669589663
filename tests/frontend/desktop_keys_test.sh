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
SKARNFALL_TRACE=1 SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$dir/config" \
  "$dir/skarnfall" --scale 2 --fullscreen > "$dir/said" 2>&1 &
pid=$!

# PATTERN SECONDS: waits until a line of the game's output after the last one matched
# holds PATTERN; 1 when the game ends or time runs out first. Each step waits for what
# the game says, never for a time: a key pressed early would land on the screen before.
seen=0
expect() {
  local until=$((SECONDS + $2)) n
  while ((SECONDS < until)); do
    n=$(tail -n "+$((seen + 1))" "$dir/said" | grep -n -F -m 1 -- "$1" | cut -d: -f1)
    [ -n "$n" ] && { seen=$((seen + n)); return 0; }
    kill -0 $pid 2> /dev/null || return 1
    sleep 0.1
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

expect "screen waits: title" 180 || fail "no title screen"
grep -q "controls.conf:1: unknown action 'fire up'" "$dir/said" || fail "no word on controls.conf"
# Space through the title, the instructions, slot 1, the first level and the level's
# high-score table, each pressed once its screen says it waits.
for screen in instructions profiles levels "high scores"; do
  xdotool key 65
  expect "screen waits: $screen" 60 || fail "Space did not lead to the $screen screen"
done
xdotool key 65
expect "level running" 60 || fail "Space did not start the first level"
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
# Whether the window comes to 640x480 within 10 s (X resizes it after the game's switch).
windowed() {
  local until=$((SECONDS + 10))
  until [ "$(size)" = 640x480 ]; do ((SECONDS < until)) || return 1; sleep 0.1; done
}
xdotool key F11
expect "full screen off" 30 || fail "F11 did not leave full screen"
windowed || fail "the window left full screen is $(size), not twice 320x240"
xdotool key alt+Return
expect "full screen on" 30 || fail "Alt+Enter did not switch to full screen"
xdotool key F11
expect "full screen off" 30 || fail "F11 did not switch back"
windowed || fail "the window came back as $(size), not 640x480"
hold 38 "ship fires west" || fail "the level did not fly on after the switches"
grep -q "level stopped" "$dir/said" && fail "the level ended during the checks"
echo "desktop keys ok"
