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
# themed level, made under this build's rules (a run of other rules is refused). A cross build
# runs its own runner through its emulator, or a build machine's runner built from the same
# sources when given one (runs play back alike on every machine). The browser build packs
# the runs of the game folder its media come from.
if(SKARNFALL_WEB)
  return()
endif()
set(SKARNFALL_HOST_RUNNER "" CACHE FILEPATH "A skarnfall-run built for the build machine")
set(attractNeeds skarnfall-run)  # the runner that makes the runs, rebuilt first
if(SKARNFALL_HOST_RUNNER)
  set(attractRunner "${SKARNFALL_HOST_RUNNER}")
  set(attractNeeds "${SKARNFALL_HOST_RUNNER}")
elseif(NOT CMAKE_CROSSCOMPILING)
  set(attractRunner $<TARGET_FILE:skarnfall-run>)
elseif(CMAKE_CROSSCOMPILING_EMULATOR)
  set(attractRunner ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:skarnfall-run>)
else()
  message(FATAL_ERROR "A cross build needs CMAKE_CROSSCOMPILING_EMULATOR or SKARNFALL_HOST_RUNNER to make its attract runs")
endif()
set(SKARNFALL_ATTRACT_RUNS "")
foreach(levelNumber 1 2 3 4)
  set(runFile "${SKARNFALL_GAME_DIR}/attract/level${levelNumber}.run")
  # A sanitised build's runner reports SDL's own leak unless told it is known.
  add_custom_command(OUTPUT "${runFile}"
    COMMAND ${CMAKE_COMMAND} -E env
      "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
      ${attractRunner} --level ${levelNumber} --health 99 --seed ${levelNumber}
      --max-ticks 3750 --keep-run "${runFile}" --quiet
    DEPENDS ${attractNeeds}
    WORKING_DIRECTORY "${SKARNFALL_GAME_DIR}"
    VERBATIM)
  list(APPEND SKARNFALL_ATTRACT_RUNS "${runFile}")
endforeach()
add_custom_target(attract_runs ALL DEPENDS ${SKARNFALL_ATTRACT_RUNS})
add_dependencies(attract_runs media)
