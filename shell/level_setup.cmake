# Sources of the level set-up.
list(APPEND CORE_SOURCES
  shell/level_content.cpp
  shell/level_setup.cpp
)
