#!/bin/sh
# Counts the lines of code of the test suite (tests/) against every other source of the
# project (C/C++, CMake, shell, Python; build trees and the fuzz corpus left out) and prints
# both counts and their ratio. A line counts when it is not blank and not only a comment.
# Usage: tools/check/test_ratio.sh [SOURCE_DIR]
cd "${1:-$(dirname "$0")/../..}" || exit 2

# Source files below the tree, one per line, without build trees or the fuzz corpus.
sources() {
  find . \( -path ./build -o -path './build-*' -o -path ./.git -o -path ./tests/fuzz/corpus \) -prune \
    -o -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.cc' -o -name '*.h' -o -name '*.hpp' \
    -o -name '*.cmake' -o -name 'CMakeLists.txt' -o -name '*.cmake.in' -o -name '*.sh' \
    -o -name '*.py' \) -print
}

# Non-blank lines that are not wholly a comment: // and /* */ for C/C++, # for the rest
# (a first line starting #! counts as a comment).
count() {
  total=0
  while IFS= read -r f; do
    case "$f" in
      *.c|*.cpp|*.cc|*.h|*.hpp) style=c ;;
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

tests=$(sources | grep '^\./tests/' | count)
rest=$(sources | grep -v '^\./tests/' | count)
echo "tests: $tests"
echo "other sources: $rest"
awk -v t="$tests" -v r="$rest" 'BEGIN { printf "ratio: %.2f\n", (r ? t / r : 0) }'
