# Sourced by the Windows scripts, after they define note(): the libraries the Windows game
# links, each cross-built with MinGW-w64 from Debian 12's own source package into a prefix
# kept per build folder and built again only when a source package's version or this recipe
# changes.
MINGW_HOST=x86_64-w64-mingw32
MINGW_CC=$MINGW_HOST-gcc-posix
MINGW_CXX=$MINGW_HOST-g++-posix
# Debian's source packages, in build order (each needs only those before it): the classic
# SDL 1.2 (a DLL, as its LGPL suits), and SDL_mixer with Vorbis linked into the program.
# Debian 12's sdl12-compat, sdl-image1.2 and sdl-ttf2.0 cannot be fetched from the archive
# this machine reaches (their source tarballs answer 404): pictures and text are read by
# the game's own stand-ins on Windows, as in the browser.
# GoogleTest comes last, for the Windows build of the tests; the game does not carry it.
MINGW_SOURCES="libogg libvorbis libsdl1.2 sdl-mixer1.2 googletest"
# Host packages the libraries' builds and the Windows check use.
MINGW_HOST_PACKAGES="g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 dpkg-dev autoconf automake \
libtool make cmake pkg-config zip unzip"

# The archive this machine's apt already uses, for the source packages.
mingw_archive() {
  uri=$(cat /etc/apt/sources.list.d/*.sources 2> /dev/null | awk '$1 == "URIs:" && $2 ~ /\/debian\/?$/ { print $2; exit }')
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $3 ~ /^bookworm$/ { print $2; exit }' /etc/apt/sources.list 2> /dev/null)
  echo "${uri:-http://deb.debian.org/debian}"
}

# WORK: apt on a private configuration in WORK (its own source list with one deb-src line,
# its own lists and cache), so the host's sources, lists and cache stay untouched. Sets
# MINGW_APT to the options that select it.
mingw_apt() {
  mkdir -p "$1/sources.list.d" "$1/lists/partial" "$1/cache/archives/partial"
  echo "deb-src $(mingw_archive) bookworm main" > "$1/sources.list.d/skarnfall.list"
  MINGW_APT="-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=$1/sources.list.d \
-o Dir::State::Lists=$1/lists -o Dir::Cache=$1/cache"
}

# WORK: "package version" for each source package, one a line, from the private lists.
mingw_versions() {
  for package in $MINGW_SOURCES; do
    # shellcheck disable=SC2086 # MINGW_APT is a list of options
    version=$(apt-cache $MINGW_APT showsrc "$package" 2> /dev/null |
      awk '$1 == "Version:" { print $2 }' | sort -V | tail -1)
    [ -n "$version" ] || return 1
    echo "$package $version"
  done
}

# PREFIX WORK: the libraries built into PREFIX, kept while the source versions and this
# recipe are the same. Logs go to WORK/*.log.
# This machine's media generator, media and runner, from these sources, in folder $1 (log
# $2): the cross build takes its media and attract runs from them.
mingw_host_tools() {
  scripts/ensure-deps.sh > /dev/null
  cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSKARNFALL_TESTS=OFF > "$2" 2>&1 &&
    cmake --build "$1" -j2 --target media skarnfall-run >> "$2" 2>&1 || { tail -40 "$2"; return 1; }
}

mingw_libraries() {
  prefix=$1
  work=$2
  mingw_apt "$work"
  # shellcheck disable=SC2086
  apt-get $MINGW_APT update > "$work/apt.log" 2>&1 || { tail -20 "$work/apt.log"; return 1; }
  stamp="$(mingw_versions)
recipe $(cksum < "$SOURCE/tools/cross/mingw.sh" | cut -d' ' -f1)" || { echo "No source versions" >&2; return 1; }
  if [ "$(cat "$prefix/.sources" 2> /dev/null)" = "$stamp" ]; then
    note "Reusing the Windows libraries in $prefix"
    return
  fi
  rm -rf "$prefix" "$work/src"
  mkdir -p "$prefix" "$work/src"
  for package in $MINGW_SOURCES; do
    note "Building $package for Windows from Debian's source package (log: $work/$package.log)"
    log=$work/$package.log
    # shellcheck disable=SC2086
    (cd "$work/src" && apt-get $MINGW_APT source --download-only "$package" &&
      dpkg-source --no-check -x ./"${package}"_*.dsc "$package") > "$log" 2>&1 ||
      { tail -20 "$log"; return 1; }
    (cd "$work/src/$package" && "mingw_build_$(echo "$package" | tr -- '-.' '__')" "$prefix") >> "$log" 2>&1 ||
      { tail -40 "$log"; return 1; }
  done
  echo "$stamp" > "$prefix/.sources"
}

# The common autotools cross configure into PREFIX, static unless told otherwise.
mingw_configure() {
  prefix=$1
  shift
  # Debian's older packages may carry a config.sub from before this host's name.
  for aux in config.sub config.guess; do
    find . -name "$aux" -exec cp /usr/share/misc/"$aux" {} \;
  done
  CC=$MINGW_CC CXX=$MINGW_CXX CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" \
    CFLAGS="-O2" PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" PKG_CONFIG_PATH="" \
    ./configure --host=$MINGW_HOST --prefix="$prefix" "$@"
}

mingw_build_libogg() {
  mingw_configure "$1" --enable-static --disable-shared && make -j2 && make install
}

mingw_build_libvorbis() {
  mingw_configure "$1" --enable-static --disable-shared --disable-docs --disable-examples &&
    make -j2 && make install
}

# The classic SDL 1.2 as a DLL (LGPL), with SDLmain's WinMain; standard output and error stay
# where the program was started instead of going to files beside it.
mingw_build_libsdl1_2() {
  mingw_configure "$1" --enable-shared --disable-static --disable-stdio-redirect \
    --disable-rpath && make -j2 && make install
}

# SDL_mixer static, with Ogg Vorbis music decoded by the libvorbis built above (configure's
# link test needs the static libraries' own dependencies named); its players are not built.
mingw_build_sdl_mixer1_2() {
  LIBS="-lvorbis -logg" mingw_configure "$1" --enable-static --disable-shared \
    --with-sdl-prefix="$1" --enable-music-ogg --disable-music-ogg-shared --disable-music-cmd \
    --disable-music-mod --disable-music-midi --disable-music-mp3 --disable-music-flac &&
    grep -q -- "-DOGG_MUSIC" Makefile && mkdir -p build && make -j2 build/libSDL_mixer.la &&
    make install-hdrs install-lib
}

# Static GoogleTest and GoogleMock for the Windows build of the test suite.
mingw_build_googletest() {
  cmake -S . -B build -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_C_COMPILER="$MINGW_CC" \
    -DCMAKE_CXX_COMPILER="$MINGW_CXX" -DCMAKE_INSTALL_PREFIX="$1" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF &&
    cmake --build build -j2 && cmake --install build
}
