# Tests of the foundation: constants, sheets, sprites, the fade, the clock and start-up.
skarnfall_add_test(constants_test)
skarnfall_add_test(sprite_type_test)
skarnfall_add_test(sprite_test)
skarnfall_add_test(fade_test)
skarnfall_add_test(game_test)
skarnfall_add_test(input_test)
add_test(NAME install_test COMMAND sh "${CMAKE_SOURCE_DIR}/tests/install_test.sh" "${CMAKE_BINARY_DIR}")
