# Tools that link the game library: the headless runner and benchmarks.

# The runner's reusable parts (pilot, replays, summaries, screenshots, the headless run),
# kept in their own library so the tests can drive them too.
add_library(skarnfall_runner STATIC
  tools/runner/game_copy.cpp
  tools/runner/pilot.cpp
  tools/runner/replay.cpp
  tools/runner/run_session.cpp
  tools/runner/run_summary.cpp
  tools/runner/screenshot.cpp
  tools/runner/virtual_mixer.cpp
)
target_link_libraries(skarnfall_runner PUBLIC skarnfall_core)
target_compile_definitions(skarnfall_runner PRIVATE
  "SKARNFALL_MEDIA_DIRS=\"${SKARNFALL_MEDIA_DIR_WORDS}\"")

# skarnfall-run: plays levels headless and prints a JSON summary per run.
add_executable(skarnfall-run tools/runner/main.cpp)
target_link_libraries(skarnfall-run PRIVATE skarnfall_runner)
set_target_properties(skarnfall-run PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${SKARNFALL_GAME_DIR}")

# Attract mode's runs for levels whose tables keep none yet: the pilot's first minute of each
# themed level, made by this build under its own rules (a run of other rules is refused).
if(NOT CMAKE_CROSSCOMPILING)
  set(SKARNFALL_ATTRACT_RUNS "")
  foreach(levelNumber 1 2 3 4)
    set(runFile "${SKARNFALL_GAME_DIR}/attract/level${levelNumber}.run")
    # A sanitised build's runner reports SDL's own leak unless told it is known.
    add_custom_command(OUTPUT "${runFile}"
      COMMAND ${CMAKE_COMMAND} -E env
        "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
        $<TARGET_FILE:skarnfall-run> --level ${levelNumber} --health 99 --seed ${levelNumber}
        --max-ticks 3750 --keep-run "${runFile}" --quiet
      DEPENDS skarnfall-run
      WORKING_DIRECTORY "${SKARNFALL_GAME_DIR}"
      VERBATIM)
    list(APPEND SKARNFALL_ATTRACT_RUNS "${runFile}")
  endforeach()
  add_custom_target(attract_runs ALL DEPENDS ${SKARNFALL_ATTRACT_RUNS})
  add_dependencies(attract_runs media)
endif()
