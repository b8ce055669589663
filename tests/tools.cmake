# Tests (tools): the headless runner's files, its pilot, and whole runs of the game.
foreach(runnerTest runner_files_test pilot_test runner_test)
  skarnfall_add_test(${runnerTest})
  target_link_libraries(${runnerTest} PRIVATE skarnfall_runner)
endforeach()
