// What one run of level::play shares between its frame loop, its outcome screens and the
// high-score entry: the run's state, the whole-tick time step and the table rules.
#pragma once
#include <SDL/SDL.h>

#include "engine/number_text.h"

class level;

const int LEVEL_RUN_OUT_TICKS = 240;  // a completed level fades out over this many ticks
const int LEVEL_FADE_IN_TICKS = 120;
const int SCREEN_FADE_TICKS = 60;  // fades between the level and its outcome screens

struct levelRun {
  int levelHealth;    // the ship's starting health; also picks the grade
  int howItEnded;     // PLAYER_KILLED, PLAYER_QUIT or LEVEL_COMPLETE
  Uint32 oldTime;     // clock reading, in ms, of the last frame that ran
  int endLevelTimer;  // ticks left of the run-out once the level is over
  bool levelStop;     // the loop ends at the top of its next pass
  int musicChoice;
  bool endFaded;  // the post-level screen has faded in
  // The status bar's numbers as last rendered.
  numberText healthText;
  numberText bombsText;
  numberText scoreText;
};

// Whole ticks (16 ms) since oldTimeMs, at most MAX_INC; 0 while less than a tick has
// passed. When a tick or more has passed, oldTimeMs moves to newTimeMs and the fraction
// of a tick is dropped.
int measureTimeStep(Uint32& oldTimeMs, Uint32 newTimeMs);

// One frame of the loop, in its fixed order: run-out, waves, ship, objects, layers, status
// bar, fade, present, sounds. step is the whole ticks elapsed, 1 to MAX_INC.
void runLevelFrame(level& lv, levelRun& run, int step);

// After the frame loop: fades, bonus, post-level screen, score entry; returns the result.
int finishLevel(level& lv, levelRun& run);

// The bonus a completed level earns for its starting health (10000, 7500, 5000 or 0).
int gradeBonus(int levelHealth);

// One line of the post-level screen, drawn white at x 0.
struct screenLine {
  const char* text;
  int y;
};
const int MAX_POST_LEVEL_LINES = 12;
// Fills lines with the post-level screen for an outcome; returns how many there are.
int postLevelLines(int howItEnded, int levelHealth, screenLine lines[MAX_POST_LEVEL_LINES]);

// The place a score takes in a best-first table of ten, or -1 when it is not entered.
int highScorePosition(const int highScores[10], int score);
// Enters the score with the level's profile name and extras, shifting lower entries down.
void enterHighScore(level& lv, int score);
// Composes the table screen on levelScreen: title, the ten scores and names, the prompt.
void drawHighScoreTable(level& lv);
