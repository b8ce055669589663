# Tests of the pixel library: the bitmap font.
skarnfall_add_test(bitmap_font_test)
