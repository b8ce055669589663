#!/bin/sh
# Keeps every C and C++ file in the house style of the root .clang-format. Lists each file
# that clang-format would change and exits 1 if there is one; `clang-format -i FILE` mends it.
# The files are those tools/check/sources.sh lists; a list without the game's folders fails.
# Usage: tools/check/format.sh [SOURCE_DIR]
checks=$(cd "$(dirname "$0")" && pwd)
. "$checks/sources.sh"
cd "${1:-$(dirname "$0")/../..}" || exit 2
command -v clang-format > /dev/null || { echo "clang-format is not installed"; exit 2; }
[ -f .clang-format ] || { echo "no .clang-format in $(pwd)"; exit 2; }

log=$(mktemp) || exit 2
off=$(mktemp) || exit 2
list=$(mktemp) || exit 2
trap 'rm -f "$log" "$off" "$list"' EXIT
listed_sources "$list" || exit 1
# One clang-format run for many files; each finding names its file as "path:line:col: ".
status=0
tr '\n' '\0' < "$list" | xargs -0 clang-format --style=file --dry-run -Werror > "$log" 2>&1 ||
  status=$?
sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: .*/\1/p' "$log" | sort -u > "$off"
count=$(grep -c . "$off")
# A failure that names no file (a bad .clang-format, a crash) must not read as a pass.
if [ "$status" -ne 0 ] && [ "$count" -eq 0 ]; then
  cat "$log"
  exit 2
fi
if [ "$count" -ne 0 ]; then
  echo "Off the house style ($count; mend with clang-format -i):"
  sed 's/^/  /' "$off"
  exit 1
fi
echo "Style holds: every C/C++ file matches .clang-format."
