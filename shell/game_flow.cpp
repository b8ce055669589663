// The front-end flow (title, profiles, level selection, levels) arrives with the menus.
#include "shell/game.h"

void game::play() {}
