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
# Each back end in a folder of its own, one chosen by the build. The browser's SDL lacks a
# font reader, keeps no files, draws on canvases and makes three sound nodes an effect:
# platform/web/ fills in there, surfaces in memory included. A real SDL 1.2 (the desktop's
# sdl12-compat, the handheld's classic library) needs only its bridges and start-up.
if(SKARNFALL_WEB)
  list(APPEND CORE_SOURCES
    platform/web/browser_store.cpp
    platform/web/sdl_bridges.cpp
    platform/web/sdl_mixer.cpp
    platform/pixels/bitmap_ttf.cpp
    platform/web/sdl_video.cpp
    platform/web/start.cpp
  )
elseif(SKARNFALL_WINDOWS)
  list(APPEND CORE_SOURCES
    platform/pixels/bitmap_ttf.cpp
    platform/sdl/sdl_bridges.cpp
    platform/windows/sdl_image.cpp
    platform/windows/start.cpp
    platform/windows/wide_path.cpp
  )
elseif(SKARNFALL_HANDHELD)
  list(APPEND CORE_SOURCES platform/sdl/sdl_bridges.cpp platform/sdl/start_handheld.cpp)
else()
  list(APPEND CORE_SOURCES platform/sdl/sdl_bridges.cpp platform/sdl/start_desktop.cpp)
endif()
