# Tests of the engine: sheets, sprites, the fade, actors, waves, the level and its tables.
foreach(name sprite_type_test sprite_test fade_test pixel_runs_test avatar_test
             game_action_test enemy_test enemy_list_test wave_test level_test
             level_loop_test level_outcome_test high_scores_test number_text_test
             pause_label_test)
  skarnfall_add_test(${name})
endforeach()
