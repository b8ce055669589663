# Sourced by the ARM scripts, after they set SYSROOT and define note(): the armel packages
# the game builds against, how they are unpacked, the mixer built with Tremor, and the
# emulator that runs the builds.
# The handheld's own kind of SDL: the classic SDL 1.2 (not the compatibility layer over
# SDL2), with SDL_image and SDL_ttf built against it. SDL_mixer is not taken from Debian's
# binary (it decodes Ogg with float libvorbis) but built below with Tremor.
ARMEL_PACKAGES="libc6-dev,libstdc++-12-dev,libsdl1.2-dev,libsdl1.2debian,libsdl-image1.2-dev,\
libsdl-ttf2.0-dev,libgtest-dev,libvorbis-dev,libogg-dev,libstb-dev,libvorbisidec-dev"
# An ARMv5TE processor (the handheld's ARM920T is ARMv4T, which qemu does not offer): the
# classic SDL issues no ARMv6 barriers, so nothing here needs ARMv6.
ARMEL_EMULATOR="qemu-arm -cpu arm926 -L $SYSROOT"
# What the mixer is built as; a sysroot whose stamp differs gets it built again.
ARMEL_MIXER="sdl-mixer1.2 1.2.12 --enable-music-ogg-tremor --disable-music-ogg-shared"
ARMEL_MIXER_STAMP="$ARMEL_MIXER, Tremor linked in with its symbols hidden"

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
  armel_relative_links "$1.new"
  echo "$2" > "$1.new/.packages"
  mv "$1.new" "$1"
}

# FOLDER: absolute links (libm.so -> /lib/...) would point into the host; made relative.
armel_relative_links() {
  find "$1" -type l -lname '/*' | while read -r link; do
    target=$(readlink "$link")
    ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$1$target")" "$link"
  done
}

# The archive this machine's apt already uses, for the source package.
armel_archive() {
  uri=$(cat /etc/apt/sources.list.d/*.sources 2> /dev/null | awk '$1 == "URIs:" && $2 ~ /\/debian\/?$/ { print $2; exit }')
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $3 ~ /^bookworm$/ { print $2; exit }' /etc/apt/sources.list 2> /dev/null)
  echo "${uri:-http://deb.debian.org/debian}"
}

# SYSROOT WORK: SDL_mixer 1.2.12 from Debian's source package, configured with Tremor
# (integer Ogg decoding, as the handheld's SDK ships it) and installed into SYSROOT. apt runs
# on a private configuration in WORK, so the host's sources, lists and cache stay untouched.
# Tremor is linked into the mixer from its static library with its symbols hidden: it
# exports the same ov_* and vorbis_* names as libvorbisfile and libvorbis, and in a process
# that loads both (the media test, the media generator's tools) each would take the other's
# functions, the float decoder handed Tremor's fixed-point samples.
armel_mixer() {
  if [ "$(cat "$1/.mixer" 2> /dev/null)" = "$ARMEL_MIXER_STAMP" ]; then
    note "Reusing the sysroot's SDL_mixer with Tremor"
    return
  fi
  note "Building SDL_mixer with Tremor from Debian's source package (log: $2/mixer.log)"
  root=$1
  work=$2
  log=$work/mixer.log
  rm -rf "$work"
  mkdir -p "$work/sources.list.d" "$work/lists/partial" "$work/cache/archives/partial" "$work/src"
  echo "deb-src $(armel_archive) bookworm main" > "$work/sources.list.d/skarnfall.list"
  set -- -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$work/sources.list.d" \
    -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache"
  {
    apt-get "$@" update &&
      (cd "$work/src" && apt-get "$@" source --download-only sdl-mixer1.2) &&
      (cd "$work/src" && dpkg-source --no-check -x ./*.dsc mixer)
  } >> "$log" 2>&1 || { tail -20 "$log"; return 1; }
  set -- "$root" "$work"
  # shellcheck disable=SC2086 # the stamp's options are the configure options
  (cd "$2/src/mixer" &&
    CC="arm-linux-gnueabi-gcc --sysroot=$1" CFLAGS="-O2 -march=armv4t -marm -mfloat-abi=soft" \
      ./configure --host=arm-linux-gnueabi --prefix=/usr --libdir=/usr/lib/arm-linux-gnueabi \
      --with-sdl-prefix="$1/usr" --disable-static --disable-music-cmd --disable-music-mod \
      --disable-music-midi --disable-music-mp3 --disable-music-flac \
      $(echo "$ARMEL_MIXER" | cut -d' ' -f3-) &&
    grep -q '^#define OGG_USE_TREMOR\|-DOGG_USE_TREMOR' config.log Makefile &&
    tremor="$1/usr/lib/arm-linux-gnueabi/libvorbisidec.a" &&
    sed -i "s| -lvorbisidec -lvorbis | $tremor -Wl,--exclude-libs,libvorbisidec.a |" Makefile &&
    grep -q "exclude-libs,libvorbisidec" Makefile &&
    make -j2 && make install DESTDIR="$1") >> "$log" 2>&1 || { tail -30 "$log"; return 1; }
  armel_relative_links "$1"
  mixer=$1/usr/lib/arm-linux-gnueabi/libSDL_mixer-1.2.so.0
  if readelf -d "$mixer" | grep -q 'NEEDED.*libvorbis' ||
    nm -D --defined-only "$mixer" | grep -q ' \(ov\|vorbis\)_'; then
    echo "SDL_mixer loads or exports a Vorbis decoder's symbols: $mixer" >&2
    return 1
  fi
  echo "$ARMEL_MIXER_STAMP" > "$1/.mixer"
}

# SOURCE BUILD LOG: the host's media generator for the tree SOURCE, in a folder of BUILD
# keyed by that tree (BUILD/host-mediagen for the tree the script runs in, which both scripts
# share), built again whenever its sources changed; sets HOSTGEN to its folder.
armel_host_mediagen() {
  HOSTGEN=$2/host-mediagen$(armel_tree_key "$1")
  cmake -S "$1/media" -B "$HOSTGEN" -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$3" 2>&1 &&
    cmake --build "$HOSTGEN" -j 2 >> "$3" 2>&1 || { tail -40 "$3"; return 1; }
}

# SOURCE: nothing for the current folder's tree, else a suffix from the other tree's path.
armel_tree_key() {
  there=$(cd "$1" && pwd)
  [ "$there" = "$(pwd)" ] || echo "-$(echo "$there" | cksum | cut -d' ' -f1)"
}
