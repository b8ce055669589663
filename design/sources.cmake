# Sources of the formation patterns.
list(APPEND CORE_SOURCES
  design/level_design.cpp
)
