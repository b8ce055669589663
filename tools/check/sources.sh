# The C and C++ sources the tree checks look at, for sourcing by them: those git knows
# (tracked or new, not ignored), or every one outside the build folders when the tree is
# not a git checkout. Paths are relative to the current folder.
sources() {
  if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    git ls-files -co --exclude-standard -- '*.c' '*.cpp' '*.h'
  else
    find . \( -name '.git' -o -name 'build*' \) -prune -o \
      -type f \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print | sed 's#^\./##'
  fi
}
