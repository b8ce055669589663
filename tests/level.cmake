# Tests (level): the level object, its frame loop, its outcome and its high-score table.
skarnfall_add_test(level_test)
skarnfall_add_test(level_loop_test)
skarnfall_add_test(level_outcome_test)
skarnfall_add_test(high_scores_test)
