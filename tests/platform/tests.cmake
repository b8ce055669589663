# Tests of the platform layer: input translation, the controls file, the desktop display,
# starting and leaving.
foreach(name input_test controls_test desktop_display_test lifetime_test)
  skarnfall_add_test(${name})
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/pixels/tests.cmake)
