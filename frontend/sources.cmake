# The front end: the game object, its flow, profiles, the menu screens and level set-up.
# main.cpp is the game program's own source, outside the library.
list(APPEND CORE_SOURCES
  frontend/game.cpp
  frontend/game_flow.cpp
  frontend/level_screen.cpp
  frontend/level_setup.cpp
  frontend/menu.cpp
  frontend/profile_screen.cpp
  frontend/profiles.cpp
  frontend/title_screens.cpp
)
