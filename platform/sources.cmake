# The platform layer: constants and globals, the clock and input seams, the display and
# presenting, text drawing, files, the game directory and the save folder, the dice. It
# alone talks to the system, and includes nothing above it.
list(APPEND CORE_SOURCES
  platform/atomic_file.cpp
  platform/bitmap_font.cpp
  platform/clock.cpp
  platform/controls.cpp
  platform/desktop_display.cpp
  platform/frame_shortcuts.cpp
  platform/game_directory.cpp
  platform/globals.cpp
  platform/input.cpp
  platform/lifetime.cpp
  platform/memory_blit.cpp
  platform/plain_file.cpp
  platform/present.cpp
  platform/random.cpp
  platform/save_folder.cpp
  platform/sdl_bridges.cpp
  platform/text.cpp
)
# The browser's SDL lacks a font reader, keeps no files, draws on canvases and makes three
# sound nodes an effect: these fill in there, surfaces in memory included.
if(SKARNFALL_WEB)
  list(APPEND CORE_SOURCES
    platform/web_audio.cpp
    platform/web_storage.cpp
    platform/web_ttf.cpp
    platform/web_video.cpp
  )
endif()
