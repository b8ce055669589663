// The adaptive difficulty: how a level's outcome moves the profile's starting health.
#pragma once

// After level levelNumber ended with result (PLAYER_KILLED, PLAYER_QUIT or
// LEVEL_COMPLETE): shot down raises the level's starting health by one (at most 99);
// completed records the lowest starting health completed with and lowers the starting
// health by one (at least 1); anything else changes nothing.
void adjustHealthSettings(int* healthSettings, int levelNumber, int result);
