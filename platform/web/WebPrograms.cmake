# The browser build's programs: the game as skarnfall.js/.wasm/.data beside our own page in
# ${CMAKE_BINARY_DIR}/site, the data folder being the generated media, preloaded at /.
set(SKARNFALL_WEB_SITE "${CMAKE_BINARY_DIR}/site")
file(MAKE_DIRECTORY "${SKARNFALL_WEB_SITE}")
add_custom_target(media)

# Copies the folders named by ARGN from each of their sources (pairs: a source folder, then
# its folders) into data_dir at build time, afresh whenever a file is changed, added or
# removed, and relinks target, which packs data_dir into its .data file.
function(skarnfall_web_data target data_dir)
  set(files "")
  set(copies "")
  set(args ${ARGN})
  while(args)
    list(POP_FRONT args source)
    list(POP_FRONT args dirs)
    string(REPLACE "," ";" dirs "${dirs}")
    foreach(dir ${dirs})
      file(GLOB_RECURSE found CONFIGURE_DEPENDS "${source}/${dir}/*")
      list(APPEND files ${found})
      list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_directory "${source}/${dir}"
                                 "${data_dir}/${dir}")
    endforeach()
  endwhile()
  # Rewritten only when the list changes, so that a removed file also starts a new copy.
  file(CONFIGURE OUTPUT "${data_dir}.list" CONTENT "${files}")
  add_custom_command(OUTPUT "${data_dir}.stamp"
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${data_dir}"
    ${copies}
    COMMAND ${CMAKE_COMMAND} -E touch "${data_dir}.stamp"
    DEPENDS ${files} "${data_dir}.list" VERBATIM)
  add_custom_target(${target}-data DEPENDS "${data_dir}.stamp")
  add_dependencies(${target} ${target}-data)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${data_dir}.stamp")
endfunction()

# Attract mode's pilot runs come only with a host build's game folder, not a media-only one.
set(SKARNFALL_WEB_MEDIA_DIRS ${SKARNFALL_MEDIA_DIRS})
if(NOT EXISTS "${SKARNFALL_WEB_MEDIA}/attract")
  list(REMOVE_ITEM SKARNFALL_WEB_MEDIA_DIRS attract)
endif()
string(REPLACE ";" "," SKARNFALL_MEDIA_LIST "${SKARNFALL_WEB_MEDIA_DIRS}")

skarnfall_web_program(skarnfall)
set_target_properties(skarnfall PROPERTIES SUFFIX ".js"
  RUNTIME_OUTPUT_DIRECTORY "${SKARNFALL_WEB_SITE}")
set(SKARNFALL_WEB_DATA "${CMAKE_BINARY_DIR}/web-data")
skarnfall_web_data(skarnfall "${SKARNFALL_WEB_DATA}" "${SKARNFALL_WEB_MEDIA}" "${SKARNFALL_MEDIA_LIST}")
target_link_options(skarnfall PRIVATE "--preload-file=${SKARNFALL_WEB_DATA}@/"
  -sEXIT_RUNTIME=0 -sINVOKE_RUN=1)
# The page and its scripts.
file(GLOB SKARNFALL_PAGE_FILES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/platform/web/page/index.html"
     "${CMAKE_SOURCE_DIR}/platform/web/page/*.js")
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
skarnfall_web_program(skarnfall-run)
set_target_properties(skarnfall-run PROPERTIES SUFFIX ".js"
  RUNTIME_OUTPUT_DIRECTORY "${SKARNFALL_RUNNER_SITE}")
skarnfall_web_data(skarnfall-run "${SKARNFALL_RUNNER_DATA}" "${SKARNFALL_WEB_MEDIA}"
  "${SKARNFALL_MEDIA_LIST}" "${SKARNFALL_GAME_DIR}" "profiles,records")
target_link_options(skarnfall-run PRIVATE "--preload-file=${SKARNFALL_RUNNER_DATA}@/game"
  -sEXIT_RUNTIME=1)
configure_file("${CMAKE_SOURCE_DIR}/platform/web/page/runner.html" "${SKARNFALL_RUNNER_SITE}/index.html"
  COPYONLY)
