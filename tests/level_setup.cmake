# Tests (level_setup).
skarnfall_add_test(level_setup_test)
