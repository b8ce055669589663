# libFuzzer targets for the files the game reads: a profile, the five profile slots, a
# high-score table, a kept run and its index. Built when SKARNFALL_FUZZ is on (clang only;
# the whole game library is then instrumented). Each target gets a short smoke run in CTest,
# labelled "fuzz".
add_library(skarnfall_fuzz_support STATIC tests/fuzz/fuzz_support.cpp)
target_link_libraries(skarnfall_fuzz_support PUBLIC skarnfall_core)
target_compile_definitions(skarnfall_fuzz_support PUBLIC
  SKARNFALL_GAME_DIR="${SKARNFALL_GAME_DIR}")

set(SKARNFALL_FUZZ_SMOKE_SECONDS 5 CACHE STRING "Seconds each fuzz target runs in CTest")
set(SKARNFALL_FUZZ_TARGETS fuzz_profile fuzz_profile_slots fuzz_high_scores fuzz_run_file)
foreach(target ${SKARNFALL_FUZZ_TARGETS})
  add_executable(${target} tests/fuzz/${target}.cpp)
  target_link_libraries(${target} PRIVATE skarnfall_fuzz_support)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  # New inputs go to a corpus in the build tree; the seeds in the source tree are only read.
  string(REPLACE "fuzz_" "" corpusName ${target})
  set(workCorpus "${CMAKE_BINARY_DIR}/fuzz-corpus/${corpusName}")
  file(MAKE_DIRECTORY "${workCorpus}")
  add_test(NAME ${target}_smoke
    COMMAND ${target} -max_total_time=${SKARNFALL_FUZZ_SMOKE_SECONDS} -print_final_stats=1
            -artifact_prefix=${CMAKE_BINARY_DIR}/
            "${workCorpus}" "${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${corpusName}")
  set_tests_properties(${target}_smoke PROPERTIES LABELS fuzz TIMEOUT 300
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endforeach()
add_custom_target(fuzzers DEPENDS ${SKARNFALL_FUZZ_TARGETS})
