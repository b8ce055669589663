# Media tests: included by tests.cmake after add_subdirectory(media), which
# defines the mediagen target.
find_library(MEDIA_TEST_VORBISFILE_LIB vorbisfile REQUIRED)
find_library(MEDIA_TEST_VORBIS_LIB vorbis REQUIRED)
find_library(MEDIA_TEST_OGG_LIB ogg REQUIRED)

add_executable(media_test ${CMAKE_CURRENT_LIST_DIR}/media_test.cpp)
# The second run uses the generator that made the build's media: a cross build given one
# for the build machine runs that one natively.
if(SKARNFALL_HOST_MEDIAGEN)
  set(MEDIA_TEST_MEDIAGEN "${SKARNFALL_HOST_MEDIAGEN}")
  set(MEDIA_TEST_EMULATOR "")
else()
  set(MEDIA_TEST_MEDIAGEN "$<TARGET_FILE:mediagen>")
  set(MEDIA_TEST_EMULATOR "${SKARNFALL_EMULATOR}")
endif()
target_compile_definitions(media_test PRIVATE MEDIAGEN_PATH="${MEDIA_TEST_MEDIAGEN}")
# The game's own tables name the sheets and layers to check.
target_link_libraries(media_test PRIVATE skarnfall_test_support
  ${MEDIA_TEST_VORBISFILE_LIB} ${MEDIA_TEST_VORBIS_LIB} ${MEDIA_TEST_OGG_LIB})
# Two entries: what the media must be like, and the generator's byte-for-byte repeat, a
# whole run of the generator that any change to it would fail.
add_test(NAME media_test COMMAND media_test --gtest_filter=-MediaGenerator.*)
add_test(NAME media_bytes_test COMMAND media_test --gtest_filter=MediaGenerator.*)
# A cross build's own generator runs through the same emulator that CTest puts before the test.
set_tests_properties(media_test media_bytes_test PROPERTIES
  ENVIRONMENT "SDL_VIDEODRIVER=dummy;SDL_AUDIODRIVER=dummy;SKARNFALL_EMULATOR=${MEDIA_TEST_EMULATOR}"
  TIMEOUT 3600)
set_tests_properties(media_test PROPERTIES LABELS fast)

# The tunes' data, checked against the generator's own composer.
add_executable(mediagen_songs_test ${CMAKE_CURRENT_LIST_DIR}/mediagen_songs_test.cpp
  ${CMAKE_SOURCE_DIR}/media/music.cpp ${CMAKE_SOURCE_DIR}/media/songs.cpp
  ${CMAKE_SOURCE_DIR}/media/voices.cpp ${CMAKE_SOURCE_DIR}/media/synth.cpp
  ${CMAKE_SOURCE_DIR}/media/canvas.cpp)
target_include_directories(mediagen_songs_test PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(mediagen_songs_test PRIVATE GTest::gtest_main)
add_test(NAME mediagen_songs_test COMMAND mediagen_songs_test)
set_tests_properties(mediagen_songs_test PROPERTIES LABELS fast)
# The generator's SHA-256, which the ARM check's tune digests rest on.
add_executable(sha256_test ${CMAKE_CURRENT_LIST_DIR}/sha256_test.cpp
  ${CMAKE_SOURCE_DIR}/media/sha256.cpp)
target_include_directories(sha256_test PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(sha256_test PRIVATE GTest::gtest_main)
add_test(NAME sha256_test COMMAND sha256_test)
set_tests_properties(sha256_test PROPERTIES LABELS fast)
