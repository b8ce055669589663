// The one-line JSON summary a run prints: how the level ended and what happened in it.
#pragma once
#include <string>

struct runSummary {
  int levelNumber = 0;
  int startHealth = 0;
  unsigned int seed = 0;
  int outcome = 0;  // PLAYER_KILLED, PLAYER_QUIT or LEVEL_COMPLETE; 0 when no level ended
  int score = 0;    // the final score, completion bonus included
  int frames = 0;   // frames the level's loop ran
  int ticks = 0;    // ticks from the start of the level's play to its last frame
  int wavesReleased = 0;
  int wavesTotal = 0;
  int hitsTaken = 0;
  int bombsUsed = 0;
  int healthLeft = 0;
};

// "PLAYER_KILLED", "PLAYER_QUIT", "LEVEL_COMPLETE", or "NONE" for anything else.
const char* outcomeName(int outcome);
std::string formatSummaryJson(const runSummary& summary);
