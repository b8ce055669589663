# The Windows build (configured with tools/cross/mingw-toolchain.cmake): the classic SDL 1.2
# as a DLL, SDL_mixer with Vorbis linked in, pictures read by stb and text by the bitmap
# font's answers. SKARNFALL_WINDOWS is the one switch every file tests; turned on here, it
# becomes a definition of the game library (the top CMakeLists' build choices).
set(SKARNFALL_WINDOWS ON)
enable_language(RC)
find_package(SDL REQUIRED)
find_package(SDL_mixer REQUIRED)
find_library(SKARNFALL_VORBISFILE vorbisfile REQUIRED)
find_library(SKARNFALL_VORBIS vorbis REQUIRED)
find_library(SKARNFALL_OGG ogg REQUIRED)
list(APPEND SDL_MIXER_LIBRARIES ${SKARNFALL_VORBISFILE} ${SKARNFALL_VORBIS} ${SKARNFALL_OGG})
# The game's headers name <SDL/SDL.h>: the prefix's include folder, beside FindSDL's.
get_filename_component(SKARNFALL_WINDOWS_INCLUDE "${SDL_INCLUDE_DIR}" DIRECTORY)
list(APPEND SDL_INCLUDE_DIR "${SKARNFALL_WINDOWS_INCLUDE}")
# The host's header-only stb reader and writer, outside the prefix.
find_path(SKARNFALL_STB_DIR stb/stb_image.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/host-include")
file(CREATE_LINK "${SKARNFALL_STB_DIR}/stb" "${CMAKE_BINARY_DIR}/host-include/stb" SYMBOLIC)
# The declarations of SDL_image's and SDL_ttf's calls that the game's own stand-ins answer,
# from the build machine's headers of those libraries.
foreach(header SDL_image.h SDL_ttf.h)
  find_file(SKARNFALL_HOST_${header} SDL/${header} PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  configure_file("${SKARNFALL_HOST_${header}}" "${CMAKE_BINARY_DIR}/host-include/SDL/${header}" COPYONLY)
endforeach()
list(APPEND SDL_INCLUDE_DIR "${CMAKE_BINARY_DIR}/host-include")
# setenv and unsetenv for every file, as the POSIX systems have them.
add_compile_options(-include "${CMAKE_SOURCE_DIR}/platform/windows/posix_env.h")
