# The front end: the game object, its flow, profiles and where they are saved, the menu
# screens, level set-up and the command line.
# main.cpp is the game program's own source, outside the library.
list(APPEND CORE_SOURCES
  frontend/attract.cpp
  frontend/command_line.cpp
  frontend/game.cpp
  frontend/game_flow.cpp
  frontend/level_screen.cpp
  frontend/level_setup.cpp
  frontend/menu.cpp
  frontend/profile_screen.cpp
  frontend/profiles.cpp
  frontend/save_setup.cpp
  frontend/title_screens.cpp
  frontend/watch_run.cpp
)
