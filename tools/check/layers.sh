#!/bin/sh
# Keeps the source folders layered: each folder may include only itself and the folders
# below it (platform, then engine, content, frontend, tools; tests may include them all).
# Every include form counts: "engine/x.h", <engine/x.h> and paths such as "../engine/x.h",
# which are resolved from the including file. A top-level folder holding C or C++ sources
# that is not a layer fails too, so that new code cannot slip past the check unseen.
# Within the layers, the pixel library (platform/pixels/) includes nothing else from
# platform/, and no files include each other in a circle, a header and its source counting
# as one (x.h and x.cpp): a.cpp -> b.h, b.cpp -> a.h is a circle.
# Prints every include that reaches up or sideways, or closes a circle, and exits 1 if there
# is one.
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

awk -v layers="$LAYERS" -v listed="$list" '
  BEGIN {
    count = split(layers, names, " ")
    for (i = 1; i <= count; i++) rank[names[i]] = i
    bad = 0
    while ((getline f < listed) > 0) known[f] = 1
    close(listed)
  }
  # The unit a file belongs to: its path without the extension, so x.h and x.cpp are one.
  function unit(path) {
    sub(/\.[^.\/]*$/, "", path)
    return path
  }
  # Walks the units from u depth-first; a unit met again while still on the path closes a
  # circle, which is printed once, from the unit where it starts.
  function walk(u,   n, i, v, k, line, nu) {
    state[u] = 1
    trail[++depth] = u
    n = split(uses[u], nu, " ")
    for (i = 1; i <= n; i++) {
      v = nu[i]
      if (v == "") continue
      if (state[v] == 1) {
        line = ""
        for (k = depth; k >= 1 && trail[k] != v; k--) ;
        for (; k <= depth; k++) line = line trail[k] " -> "
        print "include circle: " line v
        bad = 1
      } else if (state[v] == 0) {
        walk(v)
      }
    }
    depth--
    state[u] = 2
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
  # Notes that file includes target, a file of the tree, as an edge between their units.
  function link(file, target,   from, to) {
    if (!(target in known)) return
    from = unit(file)
    to = unit(target)
    if (from == to || index(" " uses[from] " ", " " to " ") > 0) return
    uses[from] = uses[from] " " to
    if (!(to in uses)) uses[to] = ""
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
      if (path !~ /\//) {
        if (!angled) link(file, resolve(file, "./" path))
        continue
      }
      if (!angled && path ~ /^\.\.?\//) path = resolve(file, path)
      link(file, path)
      if (file ~ /^platform\/pixels\// && path ~ /^platform\// && path !~ /^platform\/pixels\//) {
        print file ":" line ": platform/pixels must not include " path " (the pixel library stands alone)"
        bad = 1
      }
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
    for (u in uses) state[u] = 0
    depth = 0
    for (u in uses) if (state[u] == 0) walk(u)
    list = ""
    for (e in edges) list = list e "\n"
    printf "%s", list > "/dev/stderr"
    exit bad
  }
' "$list" 2> "$edges"
status=$?
echo "Folder includes: $(sort "$edges" | tr '\n' ' ')"
[ $status -ne 0 ] && bad=1
[ $bad -eq 0 ] && echo "Layers hold: no folder includes one above it, no include circle, the pixel library alone."
exit $bad
