# Tests of the content: the formation patterns.
skarnfall_add_test(level_design_test)
