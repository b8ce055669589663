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
