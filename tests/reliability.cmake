# Tests of reliability: saves under injected faults, hostile profile and record files,
# and whole runs without the game's pictures and sounds.
skarnfall_add_test(atomic_file_test)
skarnfall_add_test(hostile_files_test)
skarnfall_add_test(missing_media_test)
target_link_libraries(missing_media_test PRIVATE skarnfall_runner)
target_link_libraries(hostile_files_test PRIVATE skarnfall_runner)
