# Tests of the content: the formation patterns and the themes' tables.
skarnfall_add_test(level_design_test)
