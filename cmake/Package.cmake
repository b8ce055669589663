# The Debian package: `cpack -G DEB` in a build tree (scripts/build-deb.sh) packs what
# `cmake --install` lays out, under /usr, then DebianLayout.cmake moves it into the places
# Debian's policy asks of a game. Dependencies come from the libraries the program links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skarnfall)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_PACKAGE_NAME skarnfall)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/skarnfall/skarnfall")
set(SKARNFALL_MAINTAINER "Skarnfall developers <skarnfall@users.noreply.github.com>"
  CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SKARNFALL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "horizontally scrolling shoot-'em-up with adaptive difficulty")
# The extended description; CPack indents each line and turns the empty one into " .".
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Fly a ship over three parallax layers through four themed levels (Forest,
Ruin, City and Mountain), each with 22 waves of enemies and a boss. Fire in
eight directions, sweep the screen with smart bombs and collect power-ups.

Difficulty adapts to each of five player profiles: every time you are shot
down a level gives you one more health point next time, every time you clear
it one fewer, and the fewer you cleared it with, the better your grade. Each
level keeps a top-ten table. Profiles and records are kept in each player's
~/.local/share/skarnfall.")

# Read by DebianLayout.cmake, which runs inside cpack.
set(CPACK_SKARNFALL_DEBIAN_DIR "${CMAKE_SOURCE_DIR}/cmake/debian")
set(CPACK_SKARNFALL_STRIP "${CMAKE_STRIP}")
set(CPACK_SKARNFALL_MEDIA_DIRS "${SKARNFALL_MEDIA_DIRS}")
set(CPACK_SKARNFALL_INSTALL_DIR "${SKARNFALL_INSTALL_DIR}")
set(CPACK_SKARNFALL_FONT_LICENCE "${SKARNFALL_GAME_DIR}/fonts/xirod.LICENSE.txt")
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_SOURCE_DIR}/cmake/DebianLayout.cmake")
include(CPack)
