# Tests of the front end: profiles, menu screens, the flow, level set-up, saves under
# injected faults, files that are not plain files, play without media, the options and
# save folder claimed at start-up, claiming a save folder (its slots and its lock),
# leaving on a signal, the handheld's start, and the installed game.
foreach(name profiles_test menu_screens_test game_flow_test level_setup_test attract_test
             process_guards_test start_up_test atomic_file_test missing_media_test save_claim_test)
  skarnfall_add_test(${name})
endforeach()
target_link_libraries(missing_media_test PRIVATE skarnfall_runner)
# Windows installs no tree and starts in a window of Wine: tools/cross/check-windows.sh.
if(SKARNFALL_WINDOWS)
  return()
endif()
add_test(NAME install_test
  COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/install_test.sh" "${CMAKE_BINARY_DIR}")
set_tests_properties(install_test PROPERTIES
  ENVIRONMENT "${SKARNFALL_TEST_ENV};SKARNFALL_EMULATOR=${SKARNFALL_EMULATOR}")
# The desktop refuses to start without a display; the handheld starts on its own screen.
if(SKARNFALL_HANDHELD)
  set(SKARNFALL_START_TEST handheld_start_test)
else()
  set(SKARNFALL_START_TEST leaving_test)
endif()
add_test(NAME ${SKARNFALL_START_TEST}
  COMMAND bash "${CMAKE_CURRENT_LIST_DIR}/${SKARNFALL_START_TEST}.sh" "${SKARNFALL_GAME_DIR}")
set_tests_properties(${SKARNFALL_START_TEST} PROPERTIES TIMEOUT 300 LABELS fast
  ENVIRONMENT "SKARNFALL_EMULATOR=${SKARNFALL_EMULATOR}")
# The Debian package of a native, unsanitised desktop build: what a player would install.
if(NOT SKARNFALL_SANITIZE AND NOT SKARNFALL_HANDHELD AND NOT CMAKE_CROSSCOMPILING)
  add_test(NAME package_test
    COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/package_test.sh" "${CMAKE_SOURCE_DIR}" "${CMAKE_BINARY_DIR}")
  # Both install the build tree, which rewrites its install_manifest.txt.
  set_tests_properties(package_test PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77
    RESOURCE_LOCK installs_build_tree)
  set_tests_properties(install_test PROPERTIES RESOURCE_LOCK installs_build_tree)
endif()

# The real game under Xvfb, driven through X key codes on French, German and US layouts.
if(NOT SKARNFALL_HANDHELD AND NOT SKARNFALL_WEB AND NOT CMAKE_CROSSCOMPILING
   AND NOT SKARNFALL_SANITIZE)
  add_test(NAME desktop_keys_test
    COMMAND bash "${CMAKE_CURRENT_LIST_DIR}/desktop_keys_test.sh" "${SKARNFALL_GAME_DIR}")
  set_tests_properties(desktop_keys_test PROPERTIES TIMEOUT 600)
endif()

# A desktop build also builds the handheld's game for this machine and starts it as its
# device would, so that a build choice that fails to reach the start-up is caught here.
if(NOT SKARNFALL_HANDHELD AND NOT CMAKE_CROSSCOMPILING AND NOT SKARNFALL_SANITIZE)
  add_test(NAME handheld_flavour_test
    COMMAND sh "${CMAKE_CURRENT_LIST_DIR}/handheld_flavour_test.sh" "${CMAKE_SOURCE_DIR}"
      "${CMAKE_BINARY_DIR}/handheld" "${SKARNFALL_GAME_DIR}")
  set_tests_properties(handheld_flavour_test PROPERTIES TIMEOUT 1800)
endif()
