# Sources of the engine (waves).
list(APPEND CORE_SOURCES
  engine/wave.cpp
)
