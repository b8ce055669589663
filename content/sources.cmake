# The game's content: the formation patterns and the four themes' wave and sheet tables.
list(APPEND CORE_SOURCES
  content/level_content.cpp
  content/level_design.cpp
)
