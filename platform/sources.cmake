# The platform layer: constants and globals, the clock and input seams, the display and
# presenting, text drawing, files, the game directory and the save folder, the dice. It
# alone talks to the system, and includes nothing above it.
list(APPEND CORE_SOURCES
  platform/atomic_file.cpp
  platform/clock.cpp
  platform/controls.cpp
  platform/frame_shortcuts.cpp
  platform/game_directory.cpp
  platform/globals.cpp
  platform/input.cpp
  platform/lifetime.cpp
  platform/plain_file.cpp
  platform/present.cpp
  platform/random.cpp
  platform/save_folder.cpp
  platform/sdl_bridges.cpp
  platform/text.cpp
  platform/pixels/bitmap_font.cpp
  platform/pixels/memory_blit.cpp
  platform/desktop_display.cpp
)
# The browser's SDL lacks a font reader, keeps no files, draws on canvases and makes three
# sound nodes an effect: these fill in there, surfaces in memory included.
if(SKARNFALL_WEB)
  list(APPEND CORE_SOURCES
    platform/web/sdl_mixer.cpp
    platform/web/browser_store.cpp
    platform/web/sdl_ttf.cpp
    platform/web/sdl_video.cpp
  )
endif()
