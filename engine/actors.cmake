# Sources of the engine (actors).
list(APPEND CORE_SOURCES
)
