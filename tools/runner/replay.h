// Replays: the keys a run pressed during a level, tick by tick, with the level, starting
// health and random seed that make the run repeatable. Stored as a short text file.
#pragma once
#include <SDL/SDL.h>

#include <string>
#include <vector>

struct replayEvent {
  int tick;  // ticks since the level's play began
  SDLKey key;
  bool down;  // press or release
};

struct replayData {
  int levelNumber = 1;
  int startHealth = 3;
  unsigned int seed = 1;
  std::vector<replayEvent> events;  // in the order they were pushed
};

// The names used in replay files ("left", "space", "a"...), and back; SDLK_UNKNOWN when
// the name is not one of the keys a run may press.
const char* keyName(SDLKey key);
SDLKey keyFromName(const std::string& name);

std::string formatReplay(const replayData& replay);
// Fills replay from text; on a malformed line returns false with a message in error.
bool parseReplay(const std::string& text, replayData& replay, std::string& error);

bool writeReplayFile(const std::string& path, const replayData& replay);
bool readReplayFile(const std::string& path, replayData& replay, std::string& error);
