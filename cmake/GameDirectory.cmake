# Lays out the game directory at configure time: data folders and the five empty
# profile slots (the media generator writes the pictures, sounds, music and font).
# A player's existing profiles and records are never touched.
foreach(dir ${SKARNFALL_MEDIA_DIRS} profiles records)
  file(MAKE_DIRECTORY "${SKARNFALL_GAME_DIR}/${dir}")
endforeach()
# The media folders' names, one a line, for the shell checks that link them into a copy.
string(REPLACE ";" "\n" mediaDirLines "${SKARNFALL_MEDIA_DIRS}")
file(WRITE "${SKARNFALL_GAME_DIR}/media-dirs.txt" "${mediaDirLines}\n")

foreach(slot 1 2 3 4 5)
  set(profile "${SKARNFALL_GAME_DIR}/profiles/profile0${slot}.txt")
  if(NOT EXISTS "${profile}")
    # An empty slot: the marker "0", a blank name and zeroed settings, 131 bytes.
    string(REPEAT " " 30 blankName)
    string(REPEAT "0" 100 zeroSettings)
    file(WRITE "${profile}" "0${blankName}${zeroSettings}")
  endif()
endforeach()
