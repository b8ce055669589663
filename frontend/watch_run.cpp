// Watching a kept run: set-up, the watcher's controls read on every pass of the level's
// loop, the clock's pace, and the screen that says why a run cannot be played.
#include "frontend/watch_run.h"

#include <cstdio>

#include "engine/avatar.h"
#include "engine/fade.h"
#include "engine/kept_runs.h"
#include "engine/level.h"
#include "frontend/game.h"
#include "frontend/level_setup.h"
#include "frontend/menu.h"
#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "platform/present.h"

using namespace levelContent;

namespace {
enum class watchControl { NONE, PAUSE, FASTER, SLOWER, LEAVE };

struct watching {
  game* g = nullptr;
  bool attract = false;
  int speed = 1;  // 1, 2 or 4
  bool paused = false;
  bool left = false;
} now;

game* tableGame = nullptr;  // the game whose tables offer runs

watchControl controlFor(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) {
    switch (event.key.keysym.sym) {
      case SDLK_p:
      case SDLK_SPACE: return watchControl::PAUSE;
      case SDLK_RIGHT: return watchControl::FASTER;
      case SDLK_LEFT: return watchControl::SLOWER;
      case SDLK_ESCAPE: return watchControl::LEAVE;
      default: return watchControl::NONE;
    }
  }
  if (event.type == SDL_JOYBUTTONDOWN) {
    switch (event.jbutton.button) {
      case padButtons::START:
      case padButtons::A: return watchControl::PAUSE;
      case padButtons::R:
      case 6: return watchControl::FASTER;  // the pad's right
      case padButtons::L:
      case 2: return watchControl::SLOWER;  // the pad's left
      case padButtons::SELECT:
      case padButtons::X: return watchControl::LEAVE;
      default: return watchControl::NONE;
    }
  }
  return watchControl::NONE;
}

const char* speedLabel() {
  switch (now.speed) {
    case 4: return "REPLAY 4x";
    case 2: return "REPLAY 2x";
    default: return "REPLAY 1x";
  }
}

void applyPace() {
  paceClock(now.paused ? 0 : now.speed);
  setPlaybackLabel(now.attract ? "REPLAY" : speedLabel());
  // A paused playback runs no frames: say so on the picture as it stands.
  if (now.paused) presentSurfaceLabelled(levelScreen, now.g->font, "REPLAY PAUSED");
}

void obey(watchControl control) {
  switch (control) {
    case watchControl::PAUSE: now.paused = !now.paused; break;
    case watchControl::FASTER: now.speed = now.speed >= 2 ? 4 : 2; break;
    case watchControl::SLOWER: now.speed = now.speed <= 2 ? 1 : 2; break;
    case watchControl::LEAVE: now.left = true; return;
    case watchControl::NONE: return;
  }
  applyPace();
}

// Every pass of the level's loop while a run plays back.
bool watchPass() {
  SDL_Event event;
  while (!now.left && pollPlayerEvent(&event)) {
    if (now.attract) {
      now.left = isPlayerPress(event);
    } else {
      obey(controlFor(event));
    }
  }
  if (now.attract && (tapePlayedOut() || tapeTick() >= ATTRACT_RUN_TICKS)) return false;
  return !now.left;
}

void fillForWatching(level& lv, const keptRun& run) {
  for (int i = 0; i < 30; i++) lv.setProfileName(i, run.name[i]);
  lv.setProfileName(30, '\0');
  const themeRow* theme = themeOfLevel(run.levelNumber);
  if (theme != nullptr) loadSheets(lv, ENEMY_SHEETS, ENEMY_SHEET_COUNT);
  loadSheets(lv, COMMON_SHEETS, COMMON_SHEET_COUNT);
  if (theme != nullptr) {
    addThemeLayers(lv, *theme);
    addThemeWaves(lv, *theme);
  }
}

void watchTableEntry(const keptRunIndex& runs, int entry) {
  keptRun run;
  runProblem problem = keptRunOf(runs, entry, run);
  if (problem != runProblem::NONE) {
    showRunProblem(*tableGame, problem);
    return;
  }
  watchRun(*tableGame, run, false);
}
}  // namespace

watchResult watchRun(game& g, const keptRun& run, bool attract) {
  level lv(g.screen, g.font);
  fillForWatching(lv, run);
  now = watching();
  now.g = &g;
  now.attract = attract;
  startPlayingRun(run);  // after the set-up, as the run's dice were noted after its own
  setPlaybackWatcher(watchPass);
  applyPace();
  int outcome = lv.play(run.startHealth);
  setPlaybackWatcher(nullptr);
  unpaceClock();
  stopPlayingRun();
  printf("Replay ended: score %d\n", lv.levelAv->getScore());
  return {outcome, lv.levelAv->getScore(), now.left};
}

void showRunProblem(game& g, runProblem problem) {
  printf("%s\n", runProblemText(problem));
  SDL_SetAlpha(g.screen, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
  runMenu(
      "run problem", g.screen,
      [&] {
        fillBlack(g.screen);
        g.drawText(g.screen, runProblemText(problem), 0, 100, 255, 255, 255);
        g.drawText(g.screen, "Press Space Bar.", 0, 220, 255, 255, 255);
      },
      [](menuInput input) {
        bool done = input == menuInput::CONFIRM || input == menuInput::BACK;
        return done ? menuStep::FINISH : menuStep::STAY;
      });
  fadeScreen(g.screen, FADE_OUT, MENU_FADE_TICKS);
}

int watchRunFile(game& g, const char* path) {
  keptRun run;
  runProblem problem = readRunFile(path, run);
  if (problem == runProblem::MISSING) {
    fprintf(stderr, "skarnfall: cannot read the run %s\n", path);
    return 1;
  }
  if (problem != runProblem::NONE) {
    fprintf(stderr, "skarnfall: %s: %s\n", path, runProblemText(problem));
    showRunProblem(g, problem);
    return 1;
  }
  watchRun(g, run, false);
  return 0;
}

void offerRunsOnTables(game* g) {
  tableGame = g;
  watchTableEntryHook = g != nullptr ? watchTableEntry : nullptr;
}
