#!/bin/sh
# Prints how the built-in pilot fares on each themed level at a given starting health
# (3, the health a new profile starts with, unless told otherwise). Reports, never judges.
# Usage: tools/runner/difficulty.sh [path/to/skarnfall-run] [health] [seed]
RUNNER=${1:-build/game/skarnfall-run}
HEALTH=${2:-3}
SEED=${3:-1}
if [ ! -x "$RUNNER" ]; then
  echo "difficulty.sh: no runner at $RUNNER (build the target skarnfall-run first)" >&2
  exit 2
fi
for level in 1 2 3 4; do
  printf 'level %s health %s: ' "$level" "$HEALTH"
  "$RUNNER" --level "$level" --health "$HEALTH" --seed "$SEED" --max-ticks 60000 --quiet
done
