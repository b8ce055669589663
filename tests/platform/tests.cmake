# Tests of the platform layer: constants, input and the desktop display.
skarnfall_add_test(constants_test)
skarnfall_add_test(input_test)
skarnfall_add_test(desktop_display_test)
