# Tests (waves): waves and the wave list, and the formation patterns.
skarnfall_add_test(wave_test)
skarnfall_add_test(level_design_test)
