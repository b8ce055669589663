// Plays the real game headless on the virtual clock: one level (with its table and
// post-level screens) or the whole menu flow, with the keys of the built-in pilot or of
// a replay, and reports what happened. Everything is observed from outside the game and
// every input is an SDL key event, as a player's keyboard would send it.
#pragma once
#include <SDL/SDL.h>

#include <string>
#include <vector>

#include "engine/run_file.h"
#include "tools/runner/replay.h"
#include "tools/runner/run_summary.h"

enum class inputSource { PILOT, REPLAY, WATCH };

struct shotRequest {
  int frame;  // 1 for the level's first frame
  std::string file;
};

struct runOptions {
  int levelNumber = 1;  // 1 to 10
  int startHealth = 3;  // 1 to 99
  unsigned int seed = 1;
  bool wholeFlow = false;  // title, profile creation, level choice, level, back out
  inputSource input = inputSource::PILOT;
  replayData replay;  // the keys played back when input is REPLAY
  keptRun watched;    // the run the game plays back when input is WATCH
  std::vector<shotRequest> shots;
  std::string screenShotPrefix;  // when set, each waiting screen is saved as PREFIX-N.png
  int maxTicks = 0;              // presses Escape at this tick of the level; 0 for no cap
  bool frameChecksums = false;   // keep a checksum of the display after every level frame
  bool keepRun = false;          // hand back the run the level's table kept
};

struct runResult {
  runSummary summary;
  replayData recorded;  // every key pushed during the level, with its tick
  int shotsWritten = 0;
  std::vector<Uint32> frameChecksums;  // one per level frame, when asked for
  std::vector<Uint32> levelChecksums;  // the level's own picture (no labels), likewise
  std::string keptRun;  // with keepRun: the newest run the table keeps, as its file's bytes
  bool stuck = false;   // the game stopped responding to the script; the run was abandoned
};

// Waits a screen needs after it took a key before the next key can be meant for it (or
// for the next screen): longer than a fade out and in (60 ticks each).
constexpr unsigned int SCREEN_SETTLE_MS = 2000;
// A level whose loop ran no frame for this long has stopped (it is on its end screens).
constexpr unsigned int LOOP_STOPPED_MS = 100;
// Virtual time a step of the script may wait before the run is given up as stuck.
constexpr unsigned int STUCK_AFTER_MS = 10u * 60u * 1000u;

// Plays one run. Needs the working directory to be a game directory (data, profiles/,
// records/). Sets the dummy video and audio drivers, installs the virtual clock and the
// seed, and leaves the clock uninstalled afterwards.
runResult playRun(const runOptions& options);
