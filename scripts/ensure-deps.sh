#!/bin/sh
# Makes sure the Debian packages Skarnfall builds and checks with are installed (the last
# line: the launcher validators the install test uses): installs what is
# missing when run as root, otherwise prints the one apt-get line to run. With
# SKARNFALL_NO_INSTALL set it only names what is missing.
# Usage: scripts/ensure-deps.sh [--web] [extra packages...]
# (--web adds the browser build's compiler and the browsers its tests drive, about 1.8 GB,
# of which WebKitGTK's driver and engine take 176 MB; it runs on the list's xvfb)
set -e
WEB_PACKAGES=""
if [ "${1:-}" = "--web" ]; then
  WEB_PACKAGES="emscripten chromium firefox-esr webkit2gtk-driver python3-websocket"
  shift
fi
PACKAGES="build-essential cmake pkg-config \
libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev \
libstb-dev libvorbis-dev libogg-dev libgtest-dev clang-format \
dpkg-dev lintian xvfb xdotool x11-xkb-utils \
desktop-file-utils appstream $WEB_PACKAGES $*"

missing=""
for p in $PACKAGES; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *" installed") ;;
    *) missing="$missing $p" ;;
  esac
done
[ -z "$missing" ] && exit 0

# Set by the checks that ./test.sh runs: they name what is missing and install nothing.
if [ -n "${SKARNFALL_NO_INSTALL:-}" ]; then
  echo "Missing Debian packages:$missing (./test.sh or scripts/ensure-deps.sh installs them)"
  exit 1
fi

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $missing
else
  echo "Skarnfall needs some Debian packages. Install them with:"
  echo
  echo "  sudo apt-get install -y$missing"
  echo
  exit 1
fi
