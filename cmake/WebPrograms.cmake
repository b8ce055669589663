# The browser build's programs: the game as skarnfall.js/.wasm/.data beside our own page in
# ${CMAKE_BINARY_DIR}/site, the data folder being the generated media, preloaded at /.
set(SKARNFALL_WEB_SITE "${CMAKE_BINARY_DIR}/site")
set(SKARNFALL_WEB_DATA "${CMAKE_BINARY_DIR}/web-data")
file(MAKE_DIRECTORY "${SKARNFALL_WEB_SITE}")
foreach(dir ${SKARNFALL_MEDIA_DIRS})
  file(COPY "${SKARNFALL_WEB_MEDIA}/${dir}" DESTINATION "${SKARNFALL_WEB_DATA}")
endforeach()
add_custom_target(media)

skarnfall_web_program(skarnfall)
set_target_properties(skarnfall PROPERTIES SUFFIX ".js"
  RUNTIME_OUTPUT_DIRECTORY "${SKARNFALL_WEB_SITE}")
target_link_options(skarnfall PRIVATE "--preload-file=${SKARNFALL_WEB_DATA}@/"
  -sEXIT_RUNTIME=0 -sINVOKE_RUN=1)
# The page and its scripts.
file(GLOB SKARNFALL_PAGE_FILES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/web/index.html"
     "${CMAKE_SOURCE_DIR}/web/*.js")
foreach(page_file ${SKARNFALL_PAGE_FILES})
  get_filename_component(name "${page_file}" NAME)
  configure_file("${page_file}" "${SKARNFALL_WEB_SITE}/${name}" COPYONLY)
endforeach()

# The headless runner, to play recorded runs in a browser: its page loads the replays the
# query names into /replays before the program starts. Its data adds the empty save slots.
include(tools/sources.cmake)
# Its screenshots use the host's header-only PNG writer, outside Emscripten's own headers.
find_path(WEB_STB_DIR stb/stb_image_write.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/host-include")
file(CREATE_LINK "${WEB_STB_DIR}/stb" "${CMAKE_BINARY_DIR}/host-include/stb" SYMBOLIC)
target_include_directories(skarnfall_runner PRIVATE "${CMAKE_BINARY_DIR}/host-include")
set(SKARNFALL_RUNNER_SITE "${CMAKE_BINARY_DIR}/runner-site")
set(SKARNFALL_RUNNER_DATA "${CMAKE_BINARY_DIR}/runner-data")
foreach(dir ${SKARNFALL_MEDIA_DIRS})
  file(COPY "${SKARNFALL_WEB_MEDIA}/${dir}" DESTINATION "${SKARNFALL_RUNNER_DATA}")
endforeach()
foreach(dir profiles records)
  file(COPY "${SKARNFALL_GAME_DIR}/${dir}" DESTINATION "${SKARNFALL_RUNNER_DATA}")
endforeach()
skarnfall_web_program(skarnfall-run)
set_target_properties(skarnfall-run PROPERTIES SUFFIX ".js"
  RUNTIME_OUTPUT_DIRECTORY "${SKARNFALL_RUNNER_SITE}")
target_link_options(skarnfall-run PRIVATE "--preload-file=${SKARNFALL_RUNNER_DATA}@/game"
  -sEXIT_RUNTIME=1)
configure_file("${CMAKE_SOURCE_DIR}/web/runner.html" "${SKARNFALL_RUNNER_SITE}/index.html"
  COPYONLY)
