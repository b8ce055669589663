# Sources of the front end: game flow, profiles and menu screens.
list(APPEND CORE_SOURCES
  shell/game_flow.cpp
  shell/level_screen.cpp
  shell/menu.cpp
  shell/profile_screen.cpp
  shell/profiles.cpp
  shell/title_screens.cpp
)
