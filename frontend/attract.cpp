// The attract cycle: pictures held until a press or their time is up, the run to show and
// its level's table.
#include "frontend/attract.h"

#include <cstdio>

#include "content/level_content.h"
#include "engine/kept_runs.h"
#include "engine/level.h"
#include "engine/level_run.h"
#include "engine/sprite_type.h"
#include "frontend/game.h"
#include "frontend/menu.h"
#include "frontend/watch_run.h"
#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "platform/present.h"
#include "platform/target.h"

namespace {
constexpr int TABLE_NAME_SIZE = 4096;  // the save folder may be a long path

// Shows screen for ms, or until a press; true when pressed.
bool holdFor(SDL_Surface* screen, Uint32 ms) {
  presentSurface(screen);
  Uint32 startMs = readClock();
  Uint32 lastDrawMs = startMs;
  while (lastDrawMs - startMs < ms) {
    SDL_Event event;
    while (pollInputEvent(&event)) {
      if (isPlayerPress(event)) return true;
    }
    waitForNextTick(lastDrawMs);
  }
  return false;
}

bool showInstructionsFor(game& g, Uint32 ms) {
  SDL_Surface* picture = loadImage("backgrounds/inst1pc.bmp");
  SDL_SetAlpha(g.screen, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
  fillBlack(g.screen);
  if (picture != nullptr) {
    SDL_BlitSurface(picture, nullptr, g.screen, nullptr);
    SDL_FreeSurface(picture);
  }
  return holdFor(g.screen, ms);
}

// The best run the table keeps that can be played, or else the build's pilot run.
bool runToShow(level& table, int levelNumber, keptRun& run) {
  for (int i = 0; i < 10; i++) {
    if (keptRunOf(*table.runs, i, run) == runProblem::NONE) return true;
  }
  char path[64];
  snprintf(path, sizeof path, "attract/level%d.run", levelNumber);
  return readRunFile(path, run) == runProblem::NONE && run.levelNumber == levelNumber;
}

bool mayMakeSound() { return !TARGET.soundAfterPress || playerHasPressed(); }

bool watchQuietly(game& g, const keptRun& run) {
  bool silent = !mayMakeSound();
  if (silent) {
    Mix_Volume(-1, 0);
    Mix_VolumeMusic(0);
  }
  bool pressed = watchRun(g, run, true).left;
  if (silent) {
    Mix_Volume(-1, master_volume);
    Mix_VolumeMusic(master_volume);
  }
  return pressed;
}
}  // namespace

void runAttractCycle(game& g, int levelNumber) {
  printf("Entering Attract Mode\n");
  bool pressed = showInstructionsFor(g, ATTRACT_PICTURE_MS);
  if (!pressed) {
    level table(g.screen, g.font);
    table.runs->levelNumber = levelNumber;
    char tableFile[TABLE_NAME_SIZE];
    if (highScoreFileName(levelNumber, tableFile, sizeof tableFile))
      table.loadHighScores(tableFile);
    keptRun run;
    if (runToShow(table, levelNumber, run)) pressed = watchQuietly(g, run);
    if (!pressed) {
      SDL_SetAlpha(levelScreen, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
      drawHighScoreTable(table);
      pressed = holdFor(levelScreen, ATTRACT_PICTURE_MS);
    }
  }
  SDL_SetAlpha(g.screen, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);  // the title comes back at once
  printf("Leaving Attract Mode\n");
}
