#!/bin/sh
# Keeps the source folders layered: each folder may include only itself and the folders
# below it (platform, then engine, content, frontend, tools; tests may include them all).
# Every include form counts: "engine/x.h", <engine/x.h> and paths such as "../engine/x.h",
# which are resolved from the including file. A top-level folder holding C or C++ sources
# that is not a layer fails too, so that new code cannot slip past the check unseen.
# Prints every include that reaches up or sideways and exits 1 if there is one.
# Usage: tools/check/layers.sh [SOURCE_DIR]
checks=$(cd "$(dirname "$0")" && pwd)
. "$checks/sources.sh"
cd "${1:-$(dirname "$0")/../..}" || exit 2
LAYERS="media platform engine content frontend tools tests"

edges=$(mktemp) || exit 2
list=$(mktemp) || exit 2
trap 'rm -f "$edges" "$list"' EXIT
listed_sources "$list" || exit 1
bad=0
for folder in $LAYERS; do
  [ -d "$folder" ] || { echo "missing folder: $folder"; bad=1; }
done

awk -v layers="$LAYERS" '
  BEGIN {
    count = split(layers, names, " ")
    for (i = 1; i <= count; i++) rank[names[i]] = i
    bad = 0
  }
  # The path of an include, resolved to one relative to the source folder.
  function resolve(from, path,   parts, n, i, out, k, result) {
    if (path ~ /^\.\.?\//) {
      sub(/[^\/]*$/, "", from)
      path = from path
    }
    n = split(path, parts, "/")
    k = 0
    for (i = 1; i <= n; i++) {
      if (parts[i] == "." || parts[i] == "") continue
      if (parts[i] == "..") { if (k > 0) k--; continue }
      out[++k] = parts[i]
    }
    result = ""
    for (i = 1; i <= k; i++) result = result (i > 1 ? "/" : "") out[i]
    return result
  }
  {
    file = $0
    own = file
    if (own !~ /\//) next  # a source at the top of the tree belongs to no layer
    sub(/\/.*/, "", own)
    if (!(own in rank)) {
      if (!(own in unknown)) print "unknown folder " own "/ holds C/C++ sources (" file "): give it a layer"
      unknown[own] = 1
      bad = 1
      next
    }
    line = 0
    while ((getline text < file) > 0) {
      line++
      if (text !~ /^[ \t]*#[ \t]*include[ \t]*[<"]/) continue
      angled = text ~ /include[ \t]*</
      path = text
      sub(/^[^<"]*[<"]/, "", path)
      sub(/[>"].*$/, "", path)
      # A quoted name without a folder is its own folder; an angled one is the system.
      if (path !~ /\//) continue
      if (!angled && path ~ /^\.\.?\//) path = resolve(file, path)
      target = path
      sub(/\/.*/, "", target)
      if (!(target in rank)) continue  # a library (<SDL/...>) or a subfolder of its own
      if (rank[target] > rank[own]) {
        print file ":" line ":" target ": " own " must not include " target " (a layer above it)"
        bad = 1
      }
      if (target != own) edges[own ">" target] = 1
    }
    close(file)
  }
  END {
    list = ""
    for (e in edges) list = list e "\n"
    printf "%s", list > "/dev/stderr"
    exit bad
  }
' "$list" 2> "$edges"
status=$?
echo "Folder includes: $(sort "$edges" | tr '\n' ' ')"
[ $status -ne 0 ] && bad=1
[ $bad -eq 0 ] && echo "Layers hold: no folder includes one above it."
exit $bad
