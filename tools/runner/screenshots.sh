#!/bin/sh
# Retakes the README's screenshots with the headless runner (pilot, seed 1, health 3).
# Usage: tools/runner/screenshots.sh [path/to/skarnfall-run] [output dir]
RUNNER=${1:-build/game/skarnfall-run}
OUT=${2:-docs/screenshots}
set -e
mkdir -p "$OUT"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The whole flow through Forest: every waiting screen, a frame of play and the boss.
"$RUNNER" --flow --level 1 --health 3 --seed 1 --quiet --shot-screens "$tmp/screen" \
  --shot "1500:$OUT/forest.png" --shot "9300:$OUT/boss.png" > /dev/null
cp "$tmp/screen-0.png" "$OUT/title.png"
cp "$tmp/screen-10.png" "$OUT/post-level.png"
level=2
for theme in ruin city mountain; do
  "$RUNNER" --level $level --health 3 --seed 1 --quiet --shot "3000:$OUT/$theme.png" > /dev/null
  level=$((level + 1))
done
ls "$OUT"
