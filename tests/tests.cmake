# The test suite: one GoogleTest executable per test file, run headless through CTest.
find_package(GTest REQUIRED)

add_library(skarnfall_test_support STATIC
  tests/support/headless.cpp
  tests/support/test_main.cpp
)
# Tests that run a child process by fork or send POSIX signals: not in the Windows build,
# which checks its start, saves and lock under Wine instead (tools/cross/check-windows.sh).
set(SKARNFALL_POSIX_ONLY_TESTS atomic_file_test lifetime_test process_guards_test)
if(NOT SKARNFALL_WINDOWS)
  target_sources(skarnfall_test_support PRIVATE tests/support/child_process.cpp)
endif()
target_link_libraries(skarnfall_test_support PUBLIC skarnfall_core GTest::gtest)
target_compile_definitions(skarnfall_test_support PUBLIC
  SKARNFALL_GAME_DIR="${SKARNFALL_GAME_DIR}"
  SKARNFALL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_compile_definitions(skarnfall_test_support PRIVATE
  "SKARNFALL_MEDIA_DIRS=\"${SKARNFALL_MEDIA_DIR_WORDS}\"")

set(SKARNFALL_TEST_ENV
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
  "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
  "ASAN_OPTIONS=detect_leaks=1"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")

# A cross build's programs run through its emulator; shell tests put this before them.
list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " SKARNFALL_EMULATOR)

# The label `fast` marks the tests of a few seconds each that the fault planting runs for
# every fault (ctest -L fast): not the whole-run checks, nor the package, install and tree
# checks, which look at no game behaviour.
# skarnfall_add_test(name [SLOW]): builds <name>.cpp, beside the calling list file, into its
# own executable, labelled `fast` unless SLOW marks it as a whole-run check.
function(skarnfall_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "SLOW" "" "")
  if(SKARNFALL_WINDOWS AND name IN_LIST SKARNFALL_POSIX_ONLY_TESTS)
    return()
  endif()
  add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
  target_link_libraries(${name} PRIVATE skarnfall_test_support)
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY "${SKARNFALL_GAME_DIR}")
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${SKARNFALL_TEST_ENV}" TIMEOUT 600)
  if(NOT ARG_SLOW)
    set_tests_properties(${name} PROPERTIES LABELS fast)
  endif()
endfunction()

# One list per layer, mirroring the source folders.
include(tests/platform/tests.cmake)
include(tests/engine/tests.cmake)
include(tests/content/tests.cmake)
include(tests/frontend/tests.cmake)
include(tests/tools/tests.cmake)
# The media generator is a tool of the build machine, tested in its own builds.
if(NOT SKARNFALL_WINDOWS)
  include(tests/media/media.cmake OPTIONAL)
endif()
include(tests/platform/web/web.cmake)

# Only the tests wait for the generated media, not the compiling: the build makes them
# alongside, and this first test brings them up to date before any test that reads them.
add_test(NAME media_up_to_date COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target media)
set_tests_properties(media_up_to_date PROPERTIES FIXTURES_SETUP skarnfall_media TIMEOUT 3600)
get_property(SKARNFALL_ALL_TESTS DIRECTORY PROPERTY TESTS)
list(REMOVE_ITEM SKARNFALL_ALL_TESTS media_up_to_date)
set_property(TEST ${SKARNFALL_ALL_TESTS} APPEND PROPERTY FIXTURES_REQUIRED skarnfall_media)
