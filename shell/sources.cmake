# Sources of the shell: constants, globals, the clock seam and the game object.
list(APPEND CORE_SOURCES
  shell/clock.cpp
  shell/desktop_display.cpp
  shell/game.cpp
  shell/game_directory.cpp
  shell/globals.cpp
  shell/input.cpp
  shell/text.cpp
)
include(shell/frontend.cmake)
include(shell/level_setup.cmake)
