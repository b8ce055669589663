# `cmake --install` lays out the game directory under the prefix (lib/skarnfall: the
# program beside its data), a command in bin/, a launcher, its AppStream entry, icons and
# the manual page. The game directory may belong to root: beside the program lies the
# marker that sends each player's profiles and records to their own data folder.
include(GNUInstallDirs)
set(SKARNFALL_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/skarnfall")

install(TARGETS skarnfall RUNTIME DESTINATION "${SKARNFALL_INSTALL_DIR}")
foreach(dir ${SKARNFALL_MEDIA_DIRS})
  install(DIRECTORY "${SKARNFALL_GAME_DIR}/${dir}" DESTINATION "${SKARNFALL_INSTALL_DIR}")
endforeach()
file(WRITE "${CMAKE_BINARY_DIR}/saves-in-data-home"
  "Installed: each player's profiles and records live in\n"
  "\${XDG_DATA_HOME:-\$HOME/.local/share}/skarnfall, not beside the program.\n")
install(FILES "${CMAKE_BINARY_DIR}/saves-in-data-home" DESTINATION "${SKARNFALL_INSTALL_DIR}")

install(CODE "
  set(binDir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${binDir}\")
  file(CREATE_LINK \"../${SKARNFALL_INSTALL_DIR}/skarnfall\" \"\${binDir}/skarnfall\" SYMBOLIC)
")

set(SKARNFALL_APP_ID io.github.skarnfall.skarnfall)
configure_file("${CMAKE_SOURCE_DIR}/docs/skarnfall.desktop.in"
  "${CMAKE_BINARY_DIR}/${SKARNFALL_APP_ID}.desktop" @ONLY)
configure_file("${CMAKE_SOURCE_DIR}/docs/skarnfall.metainfo.xml.in"
  "${CMAKE_BINARY_DIR}/${SKARNFALL_APP_ID}.metainfo.xml" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/${SKARNFALL_APP_ID}.desktop"
  DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
install(FILES "${CMAKE_BINARY_DIR}/${SKARNFALL_APP_ID}.metainfo.xml"
  DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")
install(DIRECTORY "${SKARNFALL_GAME_DIR}/icons/hicolor"
  DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons")
install(FILES "${CMAKE_SOURCE_DIR}/docs/skarnfall.6" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
