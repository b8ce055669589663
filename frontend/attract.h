// Attract mode: the title left alone shows what the game is, in a cycle of the
// instructions, a minute of a level's best run and that level's table; any press ends it.
#pragma once
#include <SDL/SDL.h>

class game;

constexpr Uint32 ATTRACT_AFTER_MS = 30000;   // the title left alone this long starts it
constexpr Uint32 ATTRACT_PICTURE_MS = 8000;  // the instructions and the table are shown this long
constexpr int ATTRACT_LEVELS = 4;            // the levels whose runs are shown, in turn

// One cycle for levelNumber: the best run its table keeps, or else the pilot's run the build
// made (attract/levelN.run). Returns at the cycle's end, or at once on a press, which is
// taken and starts nothing. Changes no file; in the browser it plays no sound until the
// player has pressed something.
void runAttractCycle(game& g, int levelNumber);
