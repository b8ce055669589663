# Tests (actors): the ship, action scripts, enemies and the enemy list.
skarnfall_add_test(avatar_test)
skarnfall_add_test(game_action_test)
skarnfall_add_test(enemy_test)
skarnfall_add_test(enemy_list_test)
