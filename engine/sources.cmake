# Sources of the engine: sheets, sprites, the fade and the dice.
list(APPEND CORE_SOURCES
  engine/fade.cpp
  engine/frame_shortcuts.cpp
  engine/pixel_runs.cpp
  engine/random.cpp
  engine/sprite.cpp
  engine/sprite_type.cpp
)
include(engine/actors.cmake)
include(engine/waves.cmake)
include(engine/level.cmake)
