# Sources of the engine (level): the level object, its frame loop, its outcome screens and
# its high-score table, and the atomic file save that records and profiles share.
list(APPEND CORE_SOURCES
  engine/high_scores.cpp
  engine/level.cpp
  engine/level_loop.cpp
  engine/level_outcome.cpp
  engine/number_text.cpp
  shell/atomic_file.cpp
)
