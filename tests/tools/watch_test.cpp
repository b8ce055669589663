// Watching kept runs: a pilot's run kept by its table plays back exactly and changes no
// file; the watcher's pause, speeds and leaving from keys and buttons; a table entry whose
// run is gone.
#include <map>

#include "engine/kept_runs.h"
#include "engine/level.h"
#include "engine/level_run.h"
#include "frontend/watch_run.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "tests/support/menu_script.h"
#include "tools/runner/run_session.h"

using menuTest::operator+;

namespace {
// A run of level 1 in which the ship sits still with 99 health for a long while.
keptRun idleRun() {
  keptRun run;
  run.levelNumber = 1;
  run.startHealth = 99;
  run.tape.ticks = 100000;
  memcpy(run.name, "Idle                          ", 30);
  return run;
}

// Where the display differs from the level's picture it shows: the label drawn over it.
SDL_Rect labelBox() {
  int left = WINDOW_WIDTH, right = -1, top = WINDOW_HEIGHT, bottom = -1;
  for (int y = 0; y < WINDOW_HEIGHT; y++) {
    for (int x = 0; x < WINDOW_WIDTH; x++) {
      if (surfaceRow(globalScreen, y)[x] == surfaceRow(levelScreen, y)[x]) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  return {static_cast<Sint16>(left), static_cast<Sint16>(top),
          static_cast<Uint16>(right - left + 1), static_cast<Uint16>(bottom - top + 1)};
}

struct Watching : menuTest::gameTest {};
}  // namespace

TEST(WatchRun, APilotRunEntersTheTableIsKeptAndPlaysBackExactly) {
  scratchGameDir scratch;
  runOptions fly;
  fly.levelNumber = 2;
  fly.startHealth = 99;
  fly.seed = 5;
  fly.maxTicks = 1500;
  fly.frameChecksums = true;
  fly.keepRun = true;
  runResult flown = playRun(fly);
  ASSERT_GT(flown.summary.score, 0);
  ASSERT_FALSE(flown.keptRun.empty()) << "the table kept no run";
  keptRun run;
  ASSERT_EQ(decodeRun(flown.keptRun, run), runProblem::NONE);
  EXPECT_EQ(run.score, flown.summary.score);
  EXPECT_EQ(std::atoi(readWholeFile("records/highscores2.txt").substr(0, 9).c_str()), run.score);

  const std::map<std::string, std::string> before = savedFiles();
  runOptions watch;
  watch.input = inputSource::WATCH;
  watch.watched = run;
  watch.levelNumber = run.levelNumber;
  watch.startHealth = run.startHealth;
  watch.seed = 999;  // the run brings its own dice
  watch.frameChecksums = true;
  runResult watched = playRun(watch);
  EXPECT_EQ(watched.summary.score, flown.summary.score);
  EXPECT_EQ(watched.summary.frames, flown.summary.frames);
  ASSERT_FALSE(watched.levelChecksums.empty());
  EXPECT_EQ(watched.levelChecksums.back(), flown.levelChecksums.back()) << "the final frame";
  EXPECT_TRUE(watched.levelChecksums == flown.levelChecksums) << "every frame";
  EXPECT_FALSE(watched.stuck);
  EXPECT_EQ(savedFiles(), before) << "watching changed a saved file";
}

// Pause holds the frames, 4x runs four ticks a tick, and leaving ends the playback at once;
// from the keyboard (and touch, which sends keys), and from a gamepad or the handheld.
TEST_F(Watching, PauseHoldsTheFramesFasterRunsFourTimesAndLeavingEndsAtOnce) {
  const struct {
    const char* from;
    std::vector<SDL_Event> pause, faster, leave;
  } inputs[] = {
      {"keys", menuTest::keys(SDLK_p), menuTest::keys(SDLK_RIGHT), menuTest::keys(SDLK_ESCAPE)},
      {"buttons", menuTest::button(padButtons::START), menuTest::button(padButtons::R),
       menuTest::button(padButtons::X)},
  };
  const std::map<std::string, std::string> before = savedFiles();
  for (const auto& in : inputs) {
    SCOPED_TRACE(in.from);
    int held = 0, fastFrom = 0, fastTicks = 0, labelWidth = 0, labelHeight = 0;
    SDL_Rect pausedLabel = {};
    TTF_SizeText(g->font, "REPLAY PAUSED", &labelWidth, &labelHeight);
    menuTest::script player;
    player.then({})
        .then(in.pause)
        .then({}, [&] { held = tapeTick(), pausedLabel = labelBox(); })
        .then(in.pause + in.faster + in.faster, [&] { EXPECT_EQ(tapeTick(), held) << "paused"; })
        .then({}, [&] { fastFrom = tapeTick(); })
        .then(in.leave, [&] { fastTicks = tapeTick() - fastFrom; });
    player.start();
    watchResult result = watchRun(*g, idleRun(), false);
    EXPECT_TRUE(player.finished());
    EXPECT_TRUE(result.left);
    EXPECT_EQ(result.outcome, PLAYER_QUIT);
    // The quiet wait between steps is 1500 ms: about 94 ticks at 1x, 375 at 4x.
    // The paused picture says so, centred: the label and its shadow, a pixel wider.
    EXPECT_NEAR(pausedLabel.w, labelWidth + 1, 3);
    EXPECT_NEAR(pausedLabel.x + pausedLabel.w / 2, WINDOW_WIDTH / 2, 2);
    EXPECT_NEAR(pausedLabel.y + pausedLabel.h / 2, WINDOW_HEIGHT / 2, 2);
    EXPECT_GT(fastTicks, 300);
    EXPECT_LT(fastTicks, 450);
    EXPECT_FALSE(tapePlaying());
  }
  EXPECT_EQ(savedFiles(), before);
}

TEST_F(Watching, AnEntryWhoseRunWasRemovedShowsAndWatchingItSaysTheRunIsMissing) {
  const char* table = "records/highscores1.txt";
  level* made = new level(g->screen, g->font);
  made->runs->levelNumber = 1;
  printedBy([&] { made->loadHighScores(table); });
  made->runs->recorded = idleRun();
  made->runs->recordedDone = true;
  enterHighScore(*made, 4321);
  ASSERT_TRUE(made->saveHighScores(table));
  ASSERT_EQ(remove(runFilePath(table, made->runs->ids[0]).c_str()), 0);
  delete made;

  level shown(g->screen, g->font);
  shown.runs->levelNumber = 1;
  ASSERT_TRUE(shown.loadHighScores(table));
  EXPECT_EQ(shown.highScores[0], 4321);
  const std::string tableBytes = readWholeFile(table);
  // Watch, then confirm the message and leave the table: keys (and touch), the pad's right
  // and B, the handheld's A and B.
  const struct {
    const char* from;
    std::vector<SDL_Event> watch, confirm;
  } inputs[] = {
      {"keys", menuTest::keys(SDLK_RIGHT), menuTest::keys(SDLK_SPACE)},
      {"pad right", menuTest::button(6), menuTest::button(padButtons::B)},
      {"button A", menuTest::button(padButtons::A), menuTest::button(padButtons::B)},
  };
  offerRunsOnTables(g);
  for (const auto& in : inputs) {
    SCOPED_TRACE(in.from);
    bool said = false;
    menuTest::script player;
    player.then(in.watch)
        .then(in.confirm,
              [&] {
                said = menuTest::showsText(*g, globalScreen, "The run of this score is missing.", 0,
                                           100);
              })
        .then(in.confirm);
    player.start();
    std::string printed = printedBy([&] { EXPECT_EQ(shown.showHighScores(), 1); });
    EXPECT_TRUE(said);
    EXPECT_EQ(countOf(printed, "The run of this score is missing.\n"), 1u);
  }
  offerRunsOnTables(nullptr);
  EXPECT_EQ(readWholeFile(table), tableBytes);
}
