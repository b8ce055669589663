# The engine: sheets, sprites, the fade, the ship, action scripts, enemies and their list,
# waves, the level object with its frame loop, outcome and high-score tables.
list(APPEND CORE_SOURCES
  engine/avatar.cpp
  engine/enemy.cpp
  engine/enemy_list.cpp
  engine/enemy_list_combat.cpp
  engine/fade.cpp
  engine/game_action.cpp
  engine/high_scores.cpp
  engine/kept_runs.cpp
  engine/level.cpp
  engine/level_loop.cpp
  engine/level_outcome.cpp
  engine/number_text.cpp
  engine/pixel_runs.cpp
  engine/run_file.cpp
  engine/sprite.cpp
  engine/sprite_type.cpp
  engine/wave.cpp
)

# The digest of the rules a run is played by: the engine's and the levels' sources, with
# comments and spacing left out, and the dice. A run recorded under other rules is refused
# rather than played back wrong.
file(GLOB SKARNFALL_RULES_FILES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/engine/*.cpp ${CMAKE_SOURCE_DIR}/engine/*.h
  ${CMAKE_SOURCE_DIR}/content/*.cpp ${CMAKE_SOURCE_DIR}/content/*.h)
list(APPEND SKARNFALL_RULES_FILES ${CMAKE_SOURCE_DIR}/platform/random.cpp
  ${CMAKE_SOURCE_DIR}/platform/constants.h ${CMAKE_SOURCE_DIR}/platform/run_tape.cpp)
list(FILTER SKARNFALL_RULES_FILES EXCLUDE REGEX "/(kept_runs|run_file)\\.(cpp|h)$")
list(SORT SKARNFALL_RULES_FILES)
set(SKARNFALL_RULES_TEXT "")
foreach(rulesFile IN LISTS SKARNFALL_RULES_FILES)
  file(READ ${rulesFile} rulesText)
  string(REGEX REPLACE "//[^\n]*" "" rulesText "${rulesText}")
  string(REGEX REPLACE "[ \t\r\n]+" "" rulesText "${rulesText}")
  string(APPEND SKARNFALL_RULES_TEXT "${rulesText}")
endforeach()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${SKARNFALL_RULES_FILES})
string(SHA256 SKARNFALL_RULES_SHA "${SKARNFALL_RULES_TEXT}")
string(SUBSTRING "${SKARNFALL_RULES_SHA}" 0 8 SKARNFALL_RULES_DIGEST)
set_source_files_properties(engine/run_file.cpp PROPERTIES
  COMPILE_DEFINITIONS "SKARNFALL_RULES_DIGEST=0x${SKARNFALL_RULES_DIGEST}u")
