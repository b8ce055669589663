#!/bin/sh
# Counts the lines of code of the test suite (tests/) against every other source of the
# project (C/C++, CMake, shell, Python, JavaScript, as tools/check/sources.sh lists them)
# and prints both counts and their ratio. A line counts when it is not blank and not only a
# comment.
# Usage: tools/check/test_ratio.sh [SOURCE_DIR]
checks=$(cd "$(dirname "$0")" && pwd)
. "$checks/sources.sh"
cd "${1:-$(dirname "$0")/../..}" || exit 2
list=$(mktemp) || exit 2
trap 'rm -f "$list"' EXIT
listed_sources "$list" '*.c' '*.cpp' '*.cc' '*.h' '*.hpp' '*.cmake' '*CMakeLists.txt' \
  '*.cmake.in' '*.sh' '*.py' '*.js' || exit 1

# Non-blank lines that are not wholly a comment: // and /* */ for C/C++ and JavaScript, #
# for the rest (a first line starting #! counts as a comment).
count() {
  total=0
  while IFS= read -r f; do
    case "$f" in
      *.c|*.cpp|*.cc|*.h|*.hpp|*.js) style=c ;;
      *) style=hash ;;
    esac
    n=$(awk -v style="$style" '
      {
        line = $0
        if (style == "hash") {
          sub(/^[ \t]+/, "", line)
          if (line == "" || substr(line, 1, 1) == "#") next
          n++; next
        }
        code = ""
        while (length(line) > 0) {
          if (inblock) {
            e = index(line, "*/")
            if (e == 0) { line = ""; break }
            line = substr(line, e + 2); inblock = 0; continue
          }
          s = index(line, "/*"); c = index(line, "//")
          if (c > 0 && (s == 0 || c < s)) { code = code substr(line, 1, c - 1); line = ""; break }
          if (s > 0) { code = code substr(line, 1, s - 1); line = substr(line, s + 2); inblock = 1; continue }
          code = code line; line = ""
        }
        gsub(/[ \t\r]/, "", code)
        if (code != "") n++
      }
      END { print n + 0 }' "$f")
    total=$((total + n))
  done
  echo "$total"
}

tests=$(grep '^tests/' "$list" | count)
rest=$(grep -v '^tests/' "$list" | count)
echo "tests: $tests"
echo "other sources: $rest"
awk -v t="$tests" -v r="$rest" 'BEGIN { printf "ratio: %.2f\n", (r ? t / r : 0) }'
