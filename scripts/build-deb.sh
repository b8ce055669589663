#!/bin/sh
# Builds the Debian package OUT_DIR/skarnfall_<version>_<arch>.deb with CPack: from a
# hardened release build of its own in build/deb-build, or from the already built tree
# BUILD_DIR (the test suite packs its own). Installs dpkg-dev and lintian when run as root.
# Usage: scripts/build-deb.sh [OUT_DIR [BUILD_DIR]]
set -e
here=$(pwd)
cd "$(dirname "$0")/.."
if [ "$(id -u)" -eq 0 ]; then
  scripts/ensure-deps.sh
elif ! command -v dpkg-shlibdeps > /dev/null; then
  echo "build-deb: dpkg-shlibdeps is missing: sudo apt-get install -y dpkg-dev"
  exit 1
fi
out=${1:-build/deb}
case "$out" in /*) ;; *) [ -z "${1:-}" ] || out="$here/$out" ;; esac
mkdir -p "$out"
out=$(cd "$out" && pwd)
build=${2:-}
case "$build" in /*|"") ;; *) build="$here/$build" ;; esac

if [ -z "$build" ]; then
  build=build/deb-build
  # Debian's hardening and reproducibility flags, all of them, as a package built by dpkg
  # would get; given on every run, since CMake reads CFLAGS from the environment only once.
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARNFALL_TESTS=OFF \
    -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" > /dev/null
  cmake --build "$build" -j "$(nproc)" > "$build.log" 2>&1 || { tail -40 "$build.log"; exit 1; }
fi
[ -f "$build/CPackConfig.cmake" ] || { echo "build-deb: $build is not a configured build tree"; exit 1; }

# CPack's work folder is thrown away; only the package lands in OUT_DIR.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
for deb in "$work"/*.deb; do
  mv "$deb" "$out/"
  deb="$out/${deb##*/}"
  echo "$deb ($(du -k "$deb" | cut -f1) KiB)"
  dpkg-deb -f "$deb" Depends | sed 's/^/Depends: /'
done
