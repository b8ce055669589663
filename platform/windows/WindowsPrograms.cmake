# The Windows build's programs: Skarnfall.exe with its icon, version and manifest, and the
# headless runner; the media come from the build machine's own generator.
set(SKARNFALL_HOST_MEDIAGEN "" CACHE FILEPATH "A mediagen built for the build machine")
if(NOT SKARNFALL_HOST_MEDIAGEN)
  message(FATAL_ERROR "The Windows build needs SKARNFALL_HOST_MEDIAGEN (the check and scripts/build-windows.sh make one)")
endif()
set(MEDIAGEN_STAMP ${CMAKE_BINARY_DIR}/media.stamp)
add_custom_command(OUTPUT ${MEDIAGEN_STAMP}
  COMMAND ${SKARNFALL_HOST_MEDIAGEN} ${SKARNFALL_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${MEDIAGEN_STAMP}
  DEPENDS ${SKARNFALL_HOST_MEDIAGEN}
  COMMENT "Generating pictures, sounds and music into ${SKARNFALL_GAME_DIR}" VERBATIM)
add_custom_target(media ALL DEPENDS ${MEDIAGEN_STAMP})

# The icon from the generated pictures, packed once they are made.
set(SKARNFALL_ICON "${CMAKE_BINARY_DIR}/skarnfall.ico")
set(SKARNFALL_ICON_SIZES 32 48 64 128 256)
set(icon_args "")
foreach(size ${SKARNFALL_ICON_SIZES})
  list(APPEND icon_args "${size}:${SKARNFALL_GAME_DIR}/icons/hicolor/${size}x${size}/apps/skarnfall.png")
endforeach()
add_custom_command(OUTPUT "${SKARNFALL_ICON}"
  COMMAND sh "${CMAKE_SOURCE_DIR}/tools/cross/ico.sh" "${SKARNFALL_ICON}" ${icon_args}
  DEPENDS ${MEDIAGEN_STAMP} "${CMAKE_SOURCE_DIR}/tools/cross/ico.sh" VERBATIM)
add_custom_target(skarnfall-icon DEPENDS "${SKARNFALL_ICON}")

set(SKARNFALL_MANIFEST "${CMAKE_SOURCE_DIR}/platform/windows/skarnfall.manifest")
configure_file("${CMAKE_SOURCE_DIR}/platform/windows/skarnfall.rc.in"
  "${CMAKE_BINARY_DIR}/skarnfall.rc" @ONLY)
set_source_files_properties("${CMAKE_BINARY_DIR}/skarnfall.rc" PROPERTIES
  OBJECT_DEPENDS "${SKARNFALL_ICON};${SKARNFALL_MANIFEST}")

# Skarnfall.exe: no console window of its own (-mwindows); --help and --controls print to
# the console it was started from.
target_sources(skarnfall PRIVATE "${CMAKE_BINARY_DIR}/skarnfall.rc")
add_dependencies(skarnfall skarnfall-icon)
set_target_properties(skarnfall PROPERTIES OUTPUT_NAME Skarnfall)
target_link_options(skarnfall PRIVATE -mwindows)
include(tools/sources.cmake)

# SDL's DLL beside the programs: the game and runner in the game folder, the tests here.
foreach(folder "${SKARNFALL_GAME_DIR}" "${CMAKE_BINARY_DIR}")
  configure_file("${SKARNFALL_WINDOWS_PREFIX}/bin/SDL.dll" "${folder}/SDL.dll" COPYONLY)
endforeach()
