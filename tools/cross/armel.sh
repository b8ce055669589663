# Sourced by the ARM scripts, after they set SYSROOT and define note(): the armel packages
# the game builds against, how they are unpacked, and the emulator that runs the builds.
ARMEL_PACKAGES="libc6-dev,libstdc++-12-dev,libsdl1.2-compat-dev,libsdl-image1.2-dev,\
libsdl-mixer1.2-dev,libsdl-ttf2.0-dev,libgtest-dev,libvorbis-dev,libogg-dev,libstb-dev"
# Debian's armel SDL2 issues ARMv6 memory barriers, so the emulated processor is an ARMv6
# one; the game's own code is still compiled for the handheld's ARMv4T.
ARMEL_EMULATOR="qemu-arm -cpu arm1136 -L $SYSROOT"

# FOLDER PACKAGES: Debian 12's armel packages unpacked into FOLDER (no foreign architecture
# is added to the host), with absolute links made relative; kept while the list is the same.
armel_unpack() {
  if [ "$(cat "$1/.packages" 2> /dev/null)" = "$2" ]; then
    note "Reusing the armel packages in $1"
    return
  fi
  note "Unpacking Debian 12 armel packages into $1"
  rm -rf "$1" "$1.new"
  mmdebstrap --quiet --variant=extract --architectures=armel --include="$2" bookworm "$1.new"
  # Absolute links (libm.so -> /lib/...) would point into the host.
  find "$1.new" -type l -lname '/*' | while read -r link; do
    target=$(readlink "$link")
    ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$1.new$target")" "$link"
  done
  echo "$2" > "$1.new/.packages"
  mv "$1.new" "$1"
}
