# Tests (tools): the headless runner's files, its pilot, and whole runs of the game.
foreach(runnerTest runner_files_test pilot_test runner_test pilot_levels_test)
  skarnfall_add_test(${runnerTest})
  target_link_libraries(${runnerTest} PRIVATE skarnfall_runner)
endforeach()

# The command line itself: a summary line on standard output, refusals with a non-zero status.
add_test(NAME runner_cli_summary
  COMMAND skarnfall-run --level 7 --health 2 --seed 3 --quiet)
set_tests_properties(runner_cli_summary PROPERTIES ENVIRONMENT "${SKARNFALL_TEST_ENV}"
  PASS_REGULAR_EXPRESSION "\"level\":7,\"health\":2,\"seed\":3,\"outcome\":\"LEVEL_COMPLETE\",\"score\":7500,")
add_test(NAME runner_cli_refuses_bad_level COMMAND skarnfall-run --level 11)
set_tests_properties(runner_cli_refuses_bad_level PROPERTIES ENVIRONMENT "${SKARNFALL_TEST_ENV}"
  WILL_FAIL TRUE)
add_test(NAME runner_cli_refuses_missing_replay
  COMMAND skarnfall-run --replay /nonexistent/run.replay)
set_tests_properties(runner_cli_refuses_missing_replay PROPERTIES
  ENVIRONMENT "${SKARNFALL_TEST_ENV}" WILL_FAIL TRUE)
