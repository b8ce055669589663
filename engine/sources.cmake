# The engine: sheets, sprites, the fade, the ship, action scripts, enemies and their list,
# waves, the level object with its frame loop, outcome and high-score tables.
list(APPEND CORE_SOURCES
  engine/avatar.cpp
  engine/enemy.cpp
  engine/enemy_list.cpp
  engine/enemy_list_combat.cpp
  engine/fade.cpp
  engine/game_action.cpp
  engine/high_scores.cpp
  engine/level.cpp
  engine/level_loop.cpp
  engine/level_outcome.cpp
  engine/number_text.cpp
  engine/pixel_runs.cpp
  engine/sprite.cpp
  engine/sprite_type.cpp
  engine/wave.cpp
)
