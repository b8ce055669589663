# The browser build's programs: the game as skarnfall.js/.wasm/.data beside our own page in
# ${CMAKE_BINARY_DIR}/site, the data folder being the generated media, preloaded at /.
set(SKARNFALL_WEB_SITE "${CMAKE_BINARY_DIR}/site")
set(SKARNFALL_WEB_DATA "${CMAKE_BINARY_DIR}/web-data")
file(MAKE_DIRECTORY "${SKARNFALL_WEB_SITE}")
foreach(dir sprites backgrounds sounds music fonts)
  file(COPY "${SKARNFALL_WEB_MEDIA}/${dir}" DESTINATION "${SKARNFALL_WEB_DATA}")
endforeach()
add_custom_target(media)

skarnfall_web_program(skarnfall)
set_target_properties(skarnfall PROPERTIES SUFFIX ".js"
  RUNTIME_OUTPUT_DIRECTORY "${SKARNFALL_WEB_SITE}")
target_link_options(skarnfall PRIVATE "--preload-file=${SKARNFALL_WEB_DATA}@/"
  -sEXIT_RUNTIME=0 -sINVOKE_RUN=1)
configure_file("${CMAKE_SOURCE_DIR}/web/index.html" "${SKARNFALL_WEB_SITE}/index.html" COPYONLY)
