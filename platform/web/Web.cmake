# The browser build (configured with emcmake): the game compiled to WebAssembly on the
# SDL 1.2 that Emscripten emulates on a canvas, with its game folder preloaded and the
# saves kept in the browser's IndexedDB. SKARNFALL_WEB is the one switch every file
# tests; turned on here, it becomes a definition of the game library (the top CMakeLists'
# build choices) and so reaches all that link it.
set(SKARNFALL_WEB ON)
set(SKARNFALL_TESTS OFF CACHE BOOL "" FORCE)

# The media come from a host build's generator (the generator itself is a host tool).
set(SKARNFALL_WEB_MEDIA "" CACHE PATH "A game folder with generated media (a host build's game/)")
if(NOT SKARNFALL_WEB_MEDIA OR NOT EXISTS "${SKARNFALL_WEB_MEDIA}/fonts/xirod.ttf")
  message(FATAL_ERROR "The web build needs SKARNFALL_WEB_MEDIA: a game folder holding the "
                      "generated media (scripts/build-web.sh makes one)")
endif()

# Copies inline as WebAssembly's memory.copy: Emscripten's memcpy calls out to JavaScript
# for each copy of 512 bytes or more, as every row of a blit is.
add_compile_options(-mbulk-memory)
add_link_options(-mbulk-memory)

# Emscripten's own SDL headers: no include folders or libraries to find.
set(SDL_INCLUDE_DIR "")
set(SDL_LIBRARY "")
# Pictures are decoded by the stb reader inside the program (the page turns the browser's
# own decoding off), sounds by the browser while the data loads.
set(WEB_SDL_FLAGS -sASYNCIFY -sSTB_IMAGE=1 --use-preload-plugins
  "-sEXPORTED_FUNCTIONS=[_main,_malloc,_free,_stbi_load,_stbi_load_from_memory,_stbi_image_free]")

function(skarnfall_web_program target)
  # -sASYNCIFY lets every wait's SDL_Delay hand the tab back to the browser; the stack
  # size grows for the frame loop's deep calls.
  target_link_options(${target} PRIVATE ${WEB_SDL_FLAGS} -sASYNCIFY_STACK_SIZE=65536
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=33554432 -sFORCE_FILESYSTEM=1 -lidbfs.js
    -sEXPORTED_RUNTIME_METHODS=[FS] -sMINIFY_HTML=0 -sENVIRONMENT=web
    "--js-library=${CMAKE_SOURCE_DIR}/platform/web/painter.js")
  # The link reads the painter's script, so a change to it relinks.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS
    "${CMAKE_SOURCE_DIR}/platform/web/painter.js")
endfunction()
