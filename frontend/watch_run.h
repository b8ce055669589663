// Watching a kept run: the level built as for play and the run played back to the ship,
// with the player's controls to pause, change the speed and leave. Nothing is saved.
#pragma once
#include "engine/run_file.h"

class game;

struct watchResult {
  int outcome;  // as level::play returns it; PLAYER_QUIT when the watcher left part way
  int score;    // the ship's score at the end, bonus included
  bool left;    // the watcher left before the run's end
};

// Ticks of a run attract mode shows at most (60 seconds).
constexpr int ATTRACT_RUN_TICKS = 3750;

// Plays run back on the game's screen, labelled as a replay. Watching: pause (P, Space,
// Start, A), faster and slower (Right and Left, R and L), leave (Escape, Select, X); the
// closing outcome screen waits as after play. In attract mode any press leaves, and the
// playback stops after ATTRACT_RUN_TICKS or at the run's end, without the closing screens.
watchResult watchRun(game& g, const keptRun& run, bool attract);

// Shows why a run cannot be played until the player confirms or backs out.
void showRunProblem(game& g, runProblem problem);

// Plays the run in the file at path, or shows why it cannot; 0 when it played.
int watchRunFile(game& g, const char* path);

// Lets the tables of the levels this game plays offer their entries' runs to watch.
void offerRunsOnTables(game* g);
