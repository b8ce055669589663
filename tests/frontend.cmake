# Tests of the front end: profiles, menu screens and the game flow.
skarnfall_add_test(profiles_test)
skarnfall_add_test(menu_screens_test)
skarnfall_add_test(game_flow_test)
