#!/bin/sh
# The suite's browser and package checks install nothing and build only inside the tree
# they are given. With every package reported missing (and a root that could install) each
# fails naming a package, and apt-get is never run; with every package present, the
# browser build is configured inside the given tree.
# Usage: hygiene_test.sh SOURCE_DIR BUILD_DIR
source=$1
build=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL $1"; exit 1; }
mkdir "$scratch/bin"
fake() { printf '#!/bin/sh\n%s\n' "$2" > "$scratch/bin/$1"; chmod +x "$scratch/bin/$1"; }
fake id 'echo 0'
fake dpkg-query '[ -z "$FAKE_MISSING" ] && printf "install ok installed"'
fake apt-get "touch $scratch/apt-get-ran; exit 1"
fake emcmake "echo \"\$@\" > $scratch/emcmake-args; exit 1"
export PATH="$scratch/bin:$PATH"
cd "$source" || exit 1

FAKE_MISSING=1 sh tests/platform/web/browser-check.sh "$scratch/web" "$build/game" > "$scratch/out" 2>&1 \
  && fail "the browser check passed without its packages"
grep -q "Missing Debian packages:.* emscripten" "$scratch/out" || fail "$(cat "$scratch/out")"
FAKE_MISSING=1 sh tests/frontend/package_test.sh "$source" "$build" > "$scratch/out" 2>&1 \
  && fail "the package check passed without its packages"
grep -q "Missing Debian packages:.* lintian" "$scratch/out" || fail "$(cat "$scratch/out")"
[ ! -e "$scratch/apt-get-ran" ] || fail "a check ran apt-get"

sh tests/platform/web/browser-check.sh "$scratch/web" "$build/game" > "$scratch/out" 2>&1
grep -q -- "-B $scratch/web/web-wasm " "$scratch/emcmake-args" \
  || fail "the browser build went elsewhere: $(cat "$scratch/emcmake-args" "$scratch/out")"
echo "hygiene ok"
