# Sources of the engine (level).
list(APPEND CORE_SOURCES
)
