# Tests of the platform layer: input translation, the controls file, the desktop display,
# starting and leaving.
skarnfall_add_test(input_test)
skarnfall_add_test(controls_test)
skarnfall_add_test(desktop_display_test)
skarnfall_add_test(bitmap_font_test)
skarnfall_add_test(lifetime_test)
