#!/bin/sh
# Runs lintian on a .deb and prints its report. Fails on any error, on a warning that the
# packaging notes (NOTES, a Markdown file naming each kept tag as `tag`) do not explain,
# and on a lintian that did not finish (status 2 and up: a crash, a bad option).
# Usage: tools/check/lintian.sh DEB NOTES
deb=$1
notes=$2
report=$(mktemp) || exit 2
trap 'rm -f "$report"' EXIT
status=0
lintian "$deb" > "$report" 2>&1 || status=$?
cat "$report"
[ "$status" -le 1 ] || { echo "lintian failed (status $status)"; exit 1; }
if [ "$status" -eq 1 ] || grep -q '^E:' "$report"; then
  echo "lintian reports errors"
  exit 1
fi
for tag in $(sed -n 's/^W: skarnfall[^ ]*: \([^ ]*\).*/\1/p' "$report" | sort -u); do
  grep -q "\`$tag\`" "$notes" || { echo "lintian warning $tag is not explained"; exit 1; }
done
