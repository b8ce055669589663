#!/bin/sh
# The tree checks catch what they are for: on a copy of the sources, each planted fault must
# make its check fail and name the fault, and the clean copy must pass; a tree with nothing
# to check fails; lintian's report and its status both count.
# Usage: checks_test.sh SOURCE_DIR
set -e
source=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$1"; exit 1; }
checks="$source/tools/check"
copy="$scratch/tree"
mkdir "$copy"
(cd "$source" && cp -R .clang-format media platform engine content frontend tools tests "$copy")
rm -rf "$copy/tests/fuzz/corpus"
# The same tree ignored inside another checkout, where git lists none of its files.
outer="$scratch/outer"
git init -q "$outer"
echo vendor/ > "$outer/.gitignore"
mkdir "$outer/vendor"
cp -R "$copy" "$outer/vendor/tree"

# check, tree, file to plant, its text, what the check must print
while IFS='|' read -r check tree file text expected; do
  [ -n "$check" ] || continue
  tree="$scratch/$tree"
  out=$(sh "$checks/$check.sh" "$tree" 2>&1) || fail "$check fails on the clean copy: $out"
  saved="$scratch/saved"
  if [ -e "$tree/$file" ]; then cp "$tree/$file" "$saved"; else rm -f "$saved"; fi
  mkdir -p "$(dirname "$tree/$file")"
  printf '%b' "$text" >> "$tree/$file"
  status=0
  out=$(sh "$checks/$check.sh" "$tree" 2>&1) || status=$?
  [ "$status" = 1 ] || fail "$check passed $file ($status): $out"
  case "$out" in
    *"$expected"*) ;;
    *) fail "$check on $file did not say '$expected': $out" ;;
  esac
  if [ -e "$saved" ]; then cp "$saved" "$tree/$file"; else rm -f "$tree/$file"; fi
done <<'TABLE'
layers|tree|engine/sprite_type.cpp|#include "frontend/menu.h"\n|engine/sprite_type.cpp:
layers|tree|engine/sprite_type.cpp|#include <frontend/menu.h>\n|engine must not include frontend
layers|tree|platform/clock.h|  #  include "../engine/sprite.h"\n|platform must not include engine
layers|tree|content/level_design.cpp|#include "./../tools/runner/pilot.h"\n|content must not include tools
layers|tree|frontend/game.cpp|#include "../tests/support/headless.h"\n|frontend must not include tests
layers|tree|extras/helper.cpp|int helper() { return 1; }\n|unknown folder extras/
layers|tree|platform/sdl_bridges.cpp|#include "platform/clock.h"\n|platform/sdl_bridges -> platform/clock
layers|tree|media/canvas.cpp|#include "textdraw.h"\n|media/canvas -> media/textdraw
layers|tree|platform/pixels/rgb565.h|#include "../globals.h"\n|platform/pixels must not include platform/globals.h
format|tree|engine/sprite_type.cpp|int  misplaced ;\n|engine/sprite_type.cpp
format|tree|media/zz.h|void f( ) {\n    return;\n}\n|media/zz.h
layers|outer/vendor/tree|engine/sprite_type.cpp|#include "frontend/menu.h"\n|engine must not include frontend
format|outer/vendor/tree|engine/sprite_type.cpp|int  misplaced ;\n|engine/sprite_type.cpp
TABLE

# Trees with nothing of the game's to check: empty, or sources outside its folders.
empty="$scratch/empty"
mkdir -p "$empty/notes"
cp "$source/.clang-format" "$empty"
for pass in empty notes; do
  for check in format layers test_ratio; do
    status=0
    out=$(sh "$checks/$check.sh" "$empty" 2>&1) || status=$?
    [ "$status" = 1 ] || fail "$check passed a tree holding $pass ($status): $out"
  done
  echo 'int notes() { return 1; }' > "$empty/notes/notes.cpp"
done

# A stand-in lintian: its report, then its status.
mkdir "$scratch/bin"
touch "$scratch/notes.md" "$scratch/game.deb"
echo 'Tags kept: `kept-tag`.' > "$scratch/notes.md"
while IFS='|' read -r report status verdict; do
  printf '#!/bin/sh\nprintf "%s"\nexit %s\n' "$report" "$status" > "$scratch/bin/lintian"
  chmod +x "$scratch/bin/lintian"
  result=0
  PATH="$scratch/bin:$PATH" sh "$checks/lintian.sh" "$scratch/game.deb" "$scratch/notes.md" \
    > /dev/null 2>&1 || result=1
  [ "$result" = "$verdict" ] || fail "lintian.sh gave $result on '$report' with status $status"
done <<'TABLE'
|0|0
W: skarnfall: kept-tag x\n|0|0
W: skarnfall: other-tag x\n|0|1
E: skarnfall: some-error x\n|1|1
E: skarnfall: some-error x\n|0|1
|1|1
|2|1
TABLE
# The media folders are named once, in CMakeLists.txt: no other source lists them all.
names=$(sed -n 's/^set(SKARNFALL_MEDIA_DIRS \(.*\))$/\1/p' "$source/CMakeLists.txt")
[ -n "$names" ] || fail "no SKARNFALL_MEDIA_DIRS in CMakeLists.txt"
copies=$(cd "$source" && grep -rn --exclude-dir='build*' --exclude-dir=.git --include='*.sh' \
  --include='*.cpp' --include='*.h' --include='*.py' --include='*.cmake' --include='*.txt' \
  -e "${names%% *}" . | grep -v '^\./CMakeLists.txt:' | awk -v names="$names" '
    BEGIN { n = split(names, word, " ") }
    { for (i = 1; i <= n; i++) if (index($0, word[i]) == 0) next; print }')
[ -z "$copies" ] || fail "the media folders are listed again: $copies"
# The least CMake version named knows every command the build uses (each with the version
# that brought it).
least=$(sed -n 's/^cmake_minimum_required(VERSION \([0-9.]*\)).*/\1/p' "$source/CMakeLists.txt")
while read -r feature version; do
  grep -rqF --exclude-dir='build*' --include='*.cmake' --include=CMakeLists.txt "$feature" \
    "$source" || continue
  [ "$(printf '%s\n%s\n' "$version" "$least" | sort -V | head -1)" = "$version" ] ||
    fail "$feature needs CMake $version; CMakeLists.txt asks for $least"
done << 'TABLE'
CPACK_PRE_BUILD_SCRIPTS 3.19
file(CHMOD 3.19
file(CREATE_LINK 3.14
PARSE_ARGV 3.7
TABLE
echo "checks ok"
