# shellcheck shell=bash
# Sourced by the shell checks that start the real game: a scratch copy of the game's folder
# in $dir (program and saves copied, media linked), removed on exit, and the steps of
# watching it start and end. Usage: . scripts/game-copy.sh GAME_DIR   (bash)
game=$(cd "$1" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cp "$game/skarnfall" "$dir/"
while read -r d; do ln -s "$game/$d" "$dir/$d"; done < "$game/media-dirs.txt"
cp -r "$game/profiles" "$game/records" "$dir/"

# SECONDS: reads the started game's standard output on descriptor 3 until its title, adding
# each line to $dir/said; 1 when the output ends, or stays silent that long, first.
wait_for_title() {
  local line=
  until [[ $line == *"Entering Title Screen"* ]]; do
    read -r -t "$1" line <&3 || return 1
    echo "$line" >> "$dir/said"
  done
}

# SECONDS: waits that long for the game the caller started ($pid) to end; its status in
# $status, or "hung" when it did not (it is then killed).
wait_for_end() {
  if timeout "$1" tail --pid="$pid" -f /dev/null; then
    wait "$pid"
    status=$?
  else
    kill -KILL "$pid"
    status=hung
  fi
}
