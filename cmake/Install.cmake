# `cmake --install` lays out a self-contained game directory under the prefix
# (lib/skarnfall: the program beside its data, profiles and records), a command in bin/,
# a launcher, an icon and the manual page. A player's profiles and records are kept.
include(GNUInstallDirs)
set(SKARNFALL_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/skarnfall")

install(TARGETS skarnfall RUNTIME DESTINATION "${SKARNFALL_INSTALL_DIR}")
foreach(dir sprites backgrounds sounds music fonts icons)
  install(DIRECTORY "${SKARNFALL_GAME_DIR}/${dir}" DESTINATION "${SKARNFALL_INSTALL_DIR}")
endforeach()

install(CODE "
  set(gameDir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${SKARNFALL_INSTALL_DIR}\")
  file(MAKE_DIRECTORY \"\${gameDir}/profiles\" \"\${gameDir}/records\")
  string(REPEAT \" \" 30 blankName)
  string(REPEAT \"0\" 100 zeroSettings)
  foreach(slot 1 2 3 4 5)
    set(profile \"\${gameDir}/profiles/profile0\${slot}.txt\")
    if(NOT EXISTS \"\${profile}\")
      message(STATUS \"Creating empty profile slot: \${profile}\")
      file(WRITE \"\${profile}\" \"0\${blankName}\${zeroSettings}\")
    endif()
  endforeach()
  set(binDir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${binDir}\")
  file(CREATE_LINK \"../${SKARNFALL_INSTALL_DIR}/skarnfall\" \"\${binDir}/skarnfall\" SYMBOLIC)
")

configure_file("${CMAKE_SOURCE_DIR}/docs/skarnfall.desktop.in"
  "${CMAKE_BINARY_DIR}/skarnfall.desktop" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/skarnfall.desktop"
  DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
install(FILES "${SKARNFALL_GAME_DIR}/icons/skarnfall.png"
  DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/64x64/apps")
install(FILES "${CMAKE_SOURCE_DIR}/docs/skarnfall.6" DESTINATION "${CMAKE_INSTALL_MANDIR}/man6")
