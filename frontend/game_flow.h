// The adaptive difficulty: how a level's outcome moves the profile's starting health.
#pragma once

// After level levelNumber ended with result (PLAYER_KILLED, PLAYER_QUIT or
// LEVEL_COMPLETE): shot down raises the level's starting health by one (at most 99);
// completed records the lowest starting health completed with and lowers the starting
// health by one (at least 1); anything else changes nothing.
// A starting health outside 1 to 99 (read from a damaged profile file) counts as the
// nearest end, a completion record outside 0 to 99 as none.
void adjustHealthSettings(int* healthSettings, int levelNumber, int result);
// The starting health a level is played with: the setting held to 1 to 99.
int playableHealth(int setting);
