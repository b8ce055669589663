# Tests (tools): the headless runner's files, whole runs of the game, and the runner's
# mixer, which frees sound channels by virtual time.
foreach(runnerTest runner_files_test runner_test virtual_mixer_test watch_test)
  skarnfall_add_test(${runnerTest})
  target_link_libraries(${runnerTest} PRIVATE skarnfall_runner)
endforeach()
skarnfall_add_test(frame_shortcuts_test SLOW)
target_link_libraries(frame_shortcuts_test PRIVATE skarnfall_runner)

# The pilot's whole runs of the four themed levels and the replay of one: each its own
# CTest entry, so that they run side by side and each has its own time limit (a whole
# level takes minutes under the sanitizers on a busy machine).
add_executable(pilot_levels_test ${CMAKE_CURRENT_LIST_DIR}/pilot_levels_test.cpp)
target_link_libraries(pilot_levels_test PRIVATE skarnfall_test_support skarnfall_runner)
foreach(case 0 1 2 3)
  math(EXPR levelNumber "${case} + 1")
  add_test(NAME pilot_levels_test.level${levelNumber}
    COMMAND pilot_levels_test --gtest_filter=ThemedLevels/PilotLevels.CompletesTheLevel/${case}
    WORKING_DIRECTORY "${SKARNFALL_GAME_DIR}")
endforeach()
add_test(NAME pilot_levels_test.replay
  COMMAND pilot_levels_test --gtest_filter=PilotLevelReplay.*
  WORKING_DIRECTORY "${SKARNFALL_GAME_DIR}")
# The drawing shortcuts' check plays a pilot run once per shortcut and once with all: as
# long as a whole level under the emulator or the sanitizers on a busy machine.
set_tests_properties(frame_shortcuts_test PROPERTIES TIMEOUT 1800)
foreach(name level1 level2 level3 level4 replay)
  set_tests_properties(pilot_levels_test.${name} PROPERTIES
    ENVIRONMENT "${SKARNFALL_TEST_ENV}" TIMEOUT 1800
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\."
    FAIL_REGULAR_EXPRESSION "FAILED|ERROR: AddressSanitizer|runtime error|LeakSanitizer")
endforeach()

# The command line itself: a summary line on standard output, refusals with a non-zero status.
add_test(NAME runner_cli_summary
  COMMAND skarnfall-run --level 7 --health 2 --seed 3 --quiet)
set_tests_properties(runner_cli_summary PROPERTIES ENVIRONMENT "${SKARNFALL_TEST_ENV}"
  PASS_REGULAR_EXPRESSION "\"level\":7,\"health\":2,\"seed\":3,\"outcome\":\"LEVEL_COMPLETE\",\"score\":7500,")
add_test(NAME runner_cli_refuses_bad_level COMMAND skarnfall-run --level 11)
set_tests_properties(runner_cli_refuses_bad_level PROPERTIES ENVIRONMENT "${SKARNFALL_TEST_ENV}"
  WILL_FAIL TRUE LABELS fast)
add_test(NAME runner_cli_refuses_missing_replay
  COMMAND skarnfall-run --replay /nonexistent/run.replay)
set_tests_properties(runner_cli_refuses_missing_replay PROPERTIES
  ENVIRONMENT "${SKARNFALL_TEST_ENV}" WILL_FAIL TRUE LABELS fast)

# The tree checks (layers, house style) each fail on a planted fault.
add_test(NAME checks_test
  COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/checks_test.sh" "${CMAKE_SOURCE_DIR}")
# The fault planting's fast set and its verdict on a test that runs out of time.
add_test(NAME mutate_test COMMAND python3 "${CMAKE_CURRENT_LIST_DIR}/mutate_test.py"
  "${CMAKE_SOURCE_DIR}" "${CMAKE_BINARY_DIR}")
