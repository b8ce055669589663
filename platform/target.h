// How the program starts on the system it was built for. Each back end answers these in a
// file of its own (platform/sdl/start_desktop.cpp, platform/sdl/start_handheld.cpp,
// platform/web/start.cpp), and the build picks the one file.
#pragma once
#include <string>

struct targetStart {
  bool readsCommandLine;  // the handheld's launcher passes nothing to read
  bool savesInDataHome;   // an installed game keeps saves in each player's data folder
  bool keepsOwnStore;     // the saves live in the target's own store, not in files
  bool soundAfterPress;   // no sound until the player's first key, click or touch (browsers)
};
extern const targetStart TARGET;

// The folder that the target's own store was read into, for the saves ("" and saving off
// when it could not be read). Only for a target that keepsOwnStore.
std::string openTargetStore();

// Readies the system before SDL starts: scaling, window and input manners (windowed and
// scale as the command line asked).
void prepareTarget(bool windowed, int scale);

// Once the game's video is up.
void targetVideoStarted();

// Tells the player why the game cannot start ("skarnfall: " and the reason on standard
// error; on Windows, whose game has no console of its own, in a message box too).
void tellStartRefused(const std::string& reason);
