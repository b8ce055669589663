# Sources of the engine (actors): the ship, action scripts, enemies and the enemy list.
list(APPEND CORE_SOURCES
  engine/avatar.cpp
  engine/enemy.cpp
  engine/enemy_list.cpp
  engine/enemy_list_combat.cpp
  engine/game_action.cpp
)
