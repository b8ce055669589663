#!/bin/sh
# Keeps the source folders layered: each folder may include only itself and the folders
# below it (platform, then engine, content, frontend, tools; tests may include them all).
# Prints every include that reaches up or sideways and exits 1 if there is one.
# Usage: tools/check/layers.sh [SOURCE_DIR]
cd "${1:-$(dirname "$0")/../..}" || exit 2
LAYERS="platform engine content frontend tools tests"

rank() {
  r=0
  for l in $LAYERS; do
    [ "$l" = "$1" ] && { echo $r; return; }
    r=$((r + 1))
  done
  echo -1
}

bad=0
edges=""
for folder in $LAYERS; do
  [ -d "$folder" ] || { echo "missing folder: $folder"; bad=1; continue; }
  own=$(rank "$folder")
  # Every quoted include naming a folder, as "file:line:folder".
  for hit in $(grep -rnoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[a-z_]+/' \
                 --include='*.c' --include='*.cpp' --include='*.h' "$folder" |
               sed -E 's/^([^:]+):([0-9]+):.*"([a-z_]+)\/$/\1:\2:\3/'); do
    target=${hit##*:}
    theirs=$(rank "$target")
    [ "$theirs" -lt 0 ] && continue  # a subfolder of the same folder, not a layer
    if [ "$theirs" -gt "$own" ]; then
      echo "$hit: $folder must not include $target (a layer above it)"
      bad=1
    fi
    [ "$target" != "$folder" ] && edges="$edges $folder>$target"
  done
done
echo "Folder includes: $(printf '%s\n' $edges | sort -u | tr '\n' ' ')"
[ $bad -eq 0 ] && echo "Layers hold: no folder includes one above it."
exit $bad
