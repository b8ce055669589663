# Lays out the game directory at configure time: data folders, the font and the
# five empty profile slots. A player's existing profiles and records are never touched.
foreach(dir sprites backgrounds sounds music fonts profiles records)
  file(MAKE_DIRECTORY "${SKARNFALL_GAME_DIR}/${dir}")
endforeach()

foreach(slot 1 2 3 4 5)
  set(profile "${SKARNFALL_GAME_DIR}/profiles/profile0${slot}.txt")
  if(NOT EXISTS "${profile}")
    # An empty slot: the marker "0", a blank name and zeroed settings, 131 bytes.
    string(REPEAT " " 30 blankName)
    string(REPEAT "0" 100 zeroSettings)
    file(WRITE "${profile}" "0${blankName}${zeroSettings}")
  endif()
endforeach()

# The game's font comes from Debian's fonts-misaki (a free 8x8 pixel face).
find_file(SKARNFALL_FONT_SOURCE misaki_gothic.ttf
  PATHS /usr/share/fonts/truetype/misaki NO_DEFAULT_PATH)
if(NOT SKARNFALL_FONT_SOURCE)
  message(FATAL_ERROR "misaki_gothic.ttf not found: install the package fonts-misaki")
endif()
configure_file("${SKARNFALL_FONT_SOURCE}" "${SKARNFALL_GAME_DIR}/fonts/xirod.ttf" COPYONLY)
if(EXISTS /usr/share/doc/fonts-misaki/copyright)
  configure_file(/usr/share/doc/fonts-misaki/copyright
    "${SKARNFALL_GAME_DIR}/fonts/xirod.LICENSE.txt" COPYONLY)
endif()
