#!/bin/bash
# The game in a scratch copy of its directory: SIGTERM and SIGINT at the title end it by
# that signal, a refused command line ends it with status 2, and a desktop without a
# display, or whose video cannot start, is refused with status 1 and the reason on
# standard error instead of a game nobody can see.
. "$(dirname "$0")/../../scripts/game-copy.sh" "$1"
fail() { echo "$1"; exit 1; }
set -m  # background jobs of their own, which do not ignore SIGINT

for sig in TERM INT; do
  mkfifo "$dir/out"
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy $SKARNFALL_EMULATOR "$dir/skarnfall" > "$dir/out" &
  pid=$!
  exec 3< "$dir/out"
  wait_for_title 60 || fail "no title screen"
  kill -s $sig $pid
  wait_for_end 10
  [ $status = hung ] && fail "SIG$sig ignored"
  [ $status -eq $((128 + $(kill -l $sig))) ] || fail "SIG$sig: ended with status $status"
  exec 3<&-
  rm "$dir/out"
done

# A refused command line leaves at once with status 2, before any display is looked for.
$SKARNFALL_EMULATOR "$dir/skarnfall" --scale 0 2> /dev/null
[ $? -eq 2 ] || fail "a refused command line did not end with status 2"

# [expected message on standard error] [environment...]
check_refused() {
  local expected=$1
  shift
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER SDL_AUDIODRIVER=dummy "$@" \
        timeout -k 2 10 $SKARNFALL_EMULATOR "$dir/skarnfall" 2>&1 > /dev/null)
  status=$?
  [ $status -eq 1 ] || fail "$*: status $status instead of 1"
  [[ $out == *$expected* ]] || fail "$*: said '$out'"
}
check_refused "No display found"
check_refused "video"*": "?*"No display to play on." SDL_VIDEODRIVER=x11  # with SDL's reason
echo "leaving ok"
