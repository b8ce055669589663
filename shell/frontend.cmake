# Sources of the front end: game flow, profiles and menu screens.
list(APPEND CORE_SOURCES
  shell/game_flow.cpp
)
