#!/bin/sh
# The tree checks catch what they are for: on a copy of the sources, each planted fault must
# make its check fail and name the fault, and the clean copy must pass both.
# Usage: checks_test.sh SOURCE_DIR
set -e
source=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "$1"; exit 1; }
copy="$scratch/tree"
mkdir "$copy"
(cd "$source" && cp -R .clang-format platform engine content frontend tools tests "$copy")
rm -rf "$copy/tests/fuzz/corpus"

# check, file to plant, its text, what the check must print
while IFS='|' read -r check file text expected; do
  [ -n "$check" ] || continue
  out=$(sh "$source/tools/check/$check.sh" "$copy" 2>&1) || fail "$check fails on the clean copy: $out"
  saved="$scratch/saved"
  if [ -e "$copy/$file" ]; then cp "$copy/$file" "$saved"; else rm -f "$saved"; fi
  mkdir -p "$(dirname "$copy/$file")"
  printf '%b' "$text" >> "$copy/$file"
  status=0
  out=$(sh "$source/tools/check/$check.sh" "$copy" 2>&1) || status=$?
  [ "$status" = 1 ] || fail "$check passed $file ($status): $out"
  case "$out" in
    *"$expected"*) ;;
    *) fail "$check on $file did not say '$expected': $out" ;;
  esac
  if [ -e "$saved" ]; then cp "$saved" "$copy/$file"; else rm -f "$copy/$file"; fi
done <<'TABLE'
layers|engine/sprite_type.cpp|#include "frontend/menu.h"\n|engine/sprite_type.cpp:
layers|engine/sprite_type.cpp|#include <frontend/menu.h>\n|engine must not include frontend
layers|platform/clock.h|  #  include "../engine/sprite.h"\n|platform must not include engine
layers|content/level_design.cpp|#include "./../tools/runner/pilot.h"\n|content must not include tools
layers|frontend/game.cpp|#include "../tests/support/headless.h"\n|frontend must not include tests
layers|extras/helper.cpp|int helper() { return 1; }\n|unknown folder extras/
format|engine/sprite_type.cpp|int  misplaced ;\n|engine/sprite_type.cpp
format|tools/mediagen/zz.h|void f( ) {\n    return;\n}\n|tools/mediagen/zz.h
TABLE
echo "checks ok"
