// The desktop program's options: --help, --version, --controls, --window, --scale N,
// --fullscreen, --watch FILE.
#pragma once
#include <string>

enum class commandAction { PLAY, HELP, VERSION, CONTROLS, REFUSE };

struct commandLineOptions {
  commandAction action = commandAction::PLAY;
  bool windowed = false;  // full screen unless --window or --scale (the last option decides)
  int scale = 3;          // the window's size as a whole multiple of 320x240
  std::string watchFile;  // --watch: the kept run to play back instead of the game
  std::string error;      // why the line was refused
};

constexpr int MAX_WINDOW_SCALE = 16;

commandLineOptions parseCommandLine(int argc, const char* const argv[]);

// Prints what HELP, VERSION, CONTROLS and REFUSE ask for; returns the exit status (0 or 2),
// or -1 when the game is to be played, after putting the player's controls file in force
// (its warnings on standard error) and the window's scale.
int answerCommandLine(const commandLineOptions& options);
