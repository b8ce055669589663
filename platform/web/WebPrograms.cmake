# The browser build's programs: the game as skarnfall.js/.wasm, assembled with our own page
# and the generated media into ${CMAKE_BINARY_DIR}/site (platform/web/make_site.py); the
# headless runner with its media preloaded into a .data file.
set(SKARNFALL_WEB_SITE "${CMAKE_BINARY_DIR}/site")
set(SKARNFALL_WEB_PROGRAM "${CMAKE_BINARY_DIR}/program")
file(MAKE_DIRECTORY "${SKARNFALL_WEB_SITE}")
add_custom_target(media)

# The game's media by when the page needs them: packs in the order they are fetched (the
# title's first, the theme pictures last, each when its level is chosen if not before),
# files streamed while they play, and files the game never opens.
set(SKARNFALL_WEB_PACKS
  "title=fonts/*,sounds/*,attract/*,sprites/splash1.bmp,backgrounds/inst1pc.bmp"
  "game=sprites/*,backgrounds/*.png"
  "forest=backgrounds/forest*" "ruin=backgrounds/ruin*" "city=backgrounds/city*"
  "mountains=backgrounds/mountains*")
set(SKARNFALL_WEB_STREAMED "music/*")
set(SKARNFALL_WEB_LEFT_OUT "music/trump.ogg")  # the fifth tune: no level picks it

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
  RUNTIME_OUTPUT_DIRECTORY "${SKARNFALL_WEB_PROGRAM}")
target_link_options(skarnfall PRIVATE -sEXIT_RUNTIME=0 -sINVOKE_RUN=1)

# The site, assembled afresh whenever the program, the page or a media file changes, or a
# media file is added or removed (the list is rewritten only when it changes).
find_program(WEB_PYTHON python3 NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(media_files "")
foreach(dir ${SKARNFALL_MEDIA_DIRS})
  file(GLOB_RECURSE found CONFIGURE_DEPENDS "${SKARNFALL_WEB_MEDIA}/${dir}/*")
  list(APPEND media_files ${found})
endforeach()
file(CONFIGURE OUTPUT "${CMAKE_BINARY_DIR}/site-media.list" CONTENT "${media_files}")
file(GLOB page_files CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/platform/web/page/*")
set(pack_options "")
foreach(pack ${SKARNFALL_WEB_PACKS})
  list(APPEND pack_options --pack "${pack}")
endforeach()
add_custom_command(OUTPUT "${CMAKE_BINARY_DIR}/site.stamp"
  COMMAND ${WEB_PYTHON} "${CMAKE_SOURCE_DIR}/platform/web/make_site.py"
    --program "${SKARNFALL_WEB_PROGRAM}" --page "${CMAKE_SOURCE_DIR}/platform/web/page"
    --media "${SKARNFALL_WEB_MEDIA}" --dirs "${SKARNFALL_MEDIA_LIST}" --out "${SKARNFALL_WEB_SITE}"
    ${pack_options} --stream "${SKARNFALL_WEB_STREAMED}" --leave-out "${SKARNFALL_WEB_LEFT_OUT}"
  COMMAND ${CMAKE_COMMAND} -E touch "${CMAKE_BINARY_DIR}/site.stamp"
  DEPENDS skarnfall ${media_files} ${page_files} "${CMAKE_BINARY_DIR}/site-media.list"
    "${CMAKE_SOURCE_DIR}/platform/web/make_site.py"
  VERBATIM)
add_custom_target(site ALL DEPENDS "${CMAKE_BINARY_DIR}/site.stamp")

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
