# Sources of the level set-up.
list(APPEND CORE_SOURCES
)
