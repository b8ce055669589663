# Tests of the pixel library: the bitmap font, and the fill against SDL's.
skarnfall_add_test(bitmap_font_test)
skarnfall_add_test(fill_test)
