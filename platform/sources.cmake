# The platform layer: constants and globals, the clock and input seams, the display and
# presenting, text drawing, files, the game directory and the save folder, the dice. It
# alone talks to the system, and includes nothing above it.
list(APPEND CORE_SOURCES
  platform/clock.cpp
  platform/controls.cpp
  platform/frame_shortcuts.cpp
  platform/globals.cpp
  platform/input.cpp
  platform/lifetime.cpp
  platform/present.cpp
  platform/random.cpp
  platform/run_tape.cpp
  platform/save_folder.cpp
  platform/sdl_bridges.cpp
  platform/text.cpp
  platform/pixels/bitmap_font.cpp
  platform/pixels/memory_blit.cpp
  platform/desktop_display.cpp
)
# The system calls behind the save, file, signal and library seams: Windows's or POSIX's
# (the desktop, the handheld and the browser's emulation of it), one file per seam.
if(SKARNFALL_WINDOWS)
  set(SKARNFALL_SYSTEM windows)
  list(APPEND CORE_SOURCES platform/windows/wide_path.cpp platform/windows/posix_env.cpp)
else()
  set(SKARNFALL_SYSTEM posix)
endif()
foreach(seam account_home atomic_file game_directory loaded_library plain_file quit_signals
             save_folder_system)
  list(APPEND CORE_SOURCES platform/${SKARNFALL_SYSTEM}/${seam}.cpp)
endforeach()
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
  )
elseif(SKARNFALL_HANDHELD)
  list(APPEND CORE_SOURCES platform/sdl/sdl_bridges.cpp platform/sdl/start_handheld.cpp)
else()
  list(APPEND CORE_SOURCES platform/sdl/sdl_bridges.cpp platform/sdl/start_desktop.cpp)
endif()
