# Tests of the platform layer: input translation and the desktop display.
skarnfall_add_test(input_test)
skarnfall_add_test(desktop_display_test)
skarnfall_add_test(bitmap_font_test)
