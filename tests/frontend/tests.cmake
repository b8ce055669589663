# Tests of the front end: profiles, menu screens, the flow, level set-up, saves
# under injected faults, play without media and the installed layout.
foreach(name profiles_test menu_screens_test game_flow_test level_setup_test
             atomic_file_test missing_media_test)
  skarnfall_add_test(${name})
endforeach()
target_link_libraries(missing_media_test PRIVATE skarnfall_runner)
add_test(NAME install_test
  COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/install_test.sh" "${CMAKE_BINARY_DIR}")
