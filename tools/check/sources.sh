# The source files the tree checks look at, for sourcing by them. Paths are relative to the
# current folder, which must be the top of the game's tree: those git knows (tracked or new,
# not ignored) when it is the top of a git checkout, else every one outside the build folders
# and the fuzz corpus (a tree unpacked on its own, or sitting ignored in another checkout).
# Usage: sources [NAME_PATTERN...]   (default: the C and C++ files)
GAME_FOLDERS="media platform engine content frontend tools"

sources() {
  [ $# -gt 0 ] || set -- '*.c' '*.cpp' '*.h'
  if [ "$(git rev-parse --show-toplevel 2> /dev/null)" = "$(pwd -P)" ]; then
    git ls-files -co --exclude-standard -- "$@"
  else
    first=1
    for pattern in "$@"; do
      [ $first = 1 ] && set -- && first=0
      set -- "$@" -o -name "$pattern"
    done
    shift
    find . \( -name '.git' -o -name 'build*' -o -path ./tests/fuzz/corpus \) -prune -o \
      -type f \( "$@" \) -print | sed 's#^\./##'
  fi
}

# Writes the list to file and fails, saying so, when it is empty or holds no file of the
# game's own folders: a check that looked at nothing must not pass.
listed_sources() {
  file=$1
  shift
  sources "$@" > "$file"
  for folder in $GAME_FOLDERS; do
    grep -q "^$folder/" "$file" && return 0
  done
  echo "no sources of the game's folders ($GAME_FOLDERS) found in $(pwd): nothing checked"
  return 1
}
