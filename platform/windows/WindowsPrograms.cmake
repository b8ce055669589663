# The Windows build's programs: Skarnfall.exe with its icon, version and manifest, and the
# headless runner; the media come from the build machine's own generator.
set(SKARNFALL_HOST_MEDIAGEN "" CACHE FILEPATH "A mediagen built for the build machine")
if(NOT SKARNFALL_HOST_MEDIAGEN)
  message(FATAL_ERROR "The Windows build needs SKARNFALL_HOST_MEDIAGEN (the check and scripts/build-windows.sh make one)")
endif()
set(MEDIAGEN_STAMP ${CMAKE_BINARY_DIR}/media/media.stamp)
add_custom_command(OUTPUT ${MEDIAGEN_STAMP}
  COMMAND ${SKARNFALL_HOST_MEDIAGEN} ${SKARNFALL_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${MEDIAGEN_STAMP}
  DEPENDS ${SKARNFALL_HOST_MEDIAGEN}
  COMMENT "Generating pictures, sounds and music into ${SKARNFALL_GAME_DIR}" VERBATIM)
add_custom_target(media ALL DEPENDS ${MEDIAGEN_STAMP})

# No console window of its own: -mwindows. The game named as a Windows player sees it.
set_target_properties(skarnfall PROPERTIES OUTPUT_NAME Skarnfall)
target_link_options(skarnfall PRIVATE -mwindows)
include(tools/sources.cmake)
