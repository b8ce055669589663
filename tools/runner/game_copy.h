// A throw-away copy of a game directory for runs that must not touch the player's own
// profiles and high scores: the data folders are linked, profiles/ and records/ copied.
#pragma once
#include <string>

// Creates the copy in the system's temporary folder and returns its path, or "" with a
// message in error. The profiles and records come from saveDir ("" for the game directory).
std::string makeGameCopy(const std::string& gameDir, const std::string& saveDir,
                         std::string& error);
void removeGameCopy(const std::string& copyDir);
