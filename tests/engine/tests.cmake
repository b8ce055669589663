# Tests of the engine: sheets, sprites, the fade, actors, the level loop, its fades and tables.
foreach(name sprite_type_test sprite_test fade_test pixel_runs_test avatar_test
             enemy_test enemy_list_test game_action_test
             level_loop_test level_outcome_test high_scores_test pause_label_test
             level_fades_test frame_caches_test kept_runs_test)
  skarnfall_add_test(${name})
endforeach()
