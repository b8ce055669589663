// Whole headless runs of the game: determinism, replays, the pilot's completion of the
// four themed levels, quitting, the menu flow, screenshots, and the pilot's view.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "engine/avatar.h"
#include "engine/enemy.h"
#include "engine/enemy_list.h"
#include "platform/constants.h"
#include "tests/support/headless.h"
#include "tools/runner/pilot.h"
#include "tools/runner/replay.h"
#include "tools/runner/run_session.h"
#include "tools/runner/run_summary.h"

namespace {
runOptions pilotRun(int levelNumber, int health, unsigned int seed) {
  runOptions options;
  options.levelNumber = levelNumber;
  options.startHealth = health;
  options.seed = seed;
  return options;
}

runOptions replayRun(const replayData& replay) {
  runOptions options = pilotRun(replay.levelNumber, replay.startHealth, replay.seed);
  options.input = inputSource::REPLAY;
  options.replay = replay;
  return options;
}

replayData handMadeReplay(int levelNumber, int health, unsigned int seed,
                          std::vector<replayEvent> events) {
  replayData r;
  r.levelNumber = levelNumber;
  r.startHealth = health;
  r.seed = seed;
  r.events = std::move(events);
  return r;
}

// Each test plays in its own game directory, so records and profiles start empty.
class RunnerTest : public ::testing::Test {
 protected:
  scratchGameDir scratch;
  const std::string& dir = scratch.path;
};

int storedScore(const std::string& records, int entry) {
  return std::atoi(records.substr(49 * entry, 9).c_str());
}
}  // namespace

TEST_F(RunnerTest, RecordedPilotRunPlayedBackGivesTheSameSummaryEveryTime) {
  runOptions capped = pilotRun(3, 5, 11);
  capped.maxTicks = 2500;
  runResult flown = playRun(capped);
  EXPECT_EQ(flown.summary.outcome, PLAYER_QUIT) << formatSummaryJson(flown.summary);
  EXPECT_GT(flown.summary.wavesReleased, 1);
  EXPECT_FALSE(flown.stuck);
  ASSERT_FALSE(flown.recorded.events.empty());

  // Through the file format, as the command line would do it; the Escape of the cap is
  // part of the recording, so the playback needs no cap of its own.
  replayData replay;
  std::string error;
  ASSERT_TRUE(parseReplay(formatReplay(flown.recorded), replay, error)) << error;
  runResult first = playRun(replayRun(replay));
  runResult second = playRun(replayRun(replay));
  EXPECT_EQ(formatSummaryJson(first.summary), formatSummaryJson(flown.summary));
  EXPECT_EQ(formatSummaryJson(second.summary), formatSummaryJson(first.summary));
  // Playing back pushes exactly the recorded keys again.
  EXPECT_EQ(formatReplay(first.recorded), formatReplay(flown.recorded));

  // A replay that differs by one key press gives a different run.
  replay.events.insert(replay.events.begin(), {1, SDLK_q, true});
  runResult changed = playRun(replayRun(replay));
  EXPECT_NE(formatSummaryJson(changed.summary), formatSummaryJson(first.summary));
}

TEST_F(RunnerTest, SameSeedAndPilotGiveTheSameRunAndOtherSeedsAnother) {
  runOptions capped = pilotRun(2, 3, 5);
  capped.maxTicks = 900;
  runResult a = playRun(capped);
  runResult b = playRun(capped);
  EXPECT_EQ(formatSummaryJson(a.summary), formatSummaryJson(b.summary));
  EXPECT_EQ(formatReplay(a.recorded), formatReplay(b.recorded));
  capped.seed = 6;
  runResult c = playRun(capped);
  EXPECT_NE(formatSummaryJson(c.summary), formatSummaryJson(a.summary));
}

TEST_F(RunnerTest, AQuitByReplayEntersTheScoreInTheLevelsTable) {
  // Fire east along the top row, where the first line of enemies flies in, then leave.
  replayData replay = handMadeReplay(1, 10, 3, {{1, SDLK_d, true}, {500, SDLK_ESCAPE, true}});
  runResult r = playRun(replayRun(replay));
  EXPECT_EQ(r.summary.outcome, PLAYER_QUIT);
  EXPECT_GT(r.summary.score, 0);
  EXPECT_GE(r.summary.ticks, 501);
  EXPECT_LE(r.summary.ticks, 502);
  std::string records = readWholeFile("records/highscores1.txt");
  ASSERT_EQ(records.size(), 490u);
  EXPECT_EQ(storedScore(records, 0), r.summary.score);
  EXPECT_EQ(records.substr(9, 30), "A" + std::string(29, ' '));
  EXPECT_EQ(storedScore(records, 1), 0);
  EXPECT_TRUE(readWholeFile("records/highscores2.txt").empty());
}

TEST_F(RunnerTest, CountsHitsBombsAndTheCapFromOutside) {
  // Sitting still on the row the first line of enemies flies along, never firing, then
  // bombing twice near the end.
  replayData replay = handMadeReplay(1, 99, 8,
                                     {{600, SDLK_q, true}, {601, SDLK_q, false},
                                      {650, SDLK_q, true}, {651, SDLK_q, false}});
  runOptions options = replayRun(replay);
  options.maxTicks = 700;
  runResult r = playRun(options);
  const runSummary& s = r.summary;
  SCOPED_TRACE(formatSummaryJson(s));
  EXPECT_EQ(s.outcome, PLAYER_QUIT);  // the cap's Escape
  EXPECT_EQ(s.bombsUsed, 2);
  EXPECT_GE(s.hitsTaken, 1);
  EXPECT_LE(99 - s.healthLeft, s.hitsTaken);  // extra lives may make up for some
  EXPECT_GE(s.wavesReleased, 1);
  // The Escape goes out at tick 700 and is read by the next frame, which may be followed
  // by one more.
  EXPECT_GE(s.ticks, 701);
  EXPECT_LE(s.ticks, 702);
  ASSERT_FALSE(r.recorded.events.empty());
  EXPECT_EQ(r.recorded.events.back().key, SDLK_ESCAPE);
  EXPECT_EQ(r.recorded.events.back().tick, 700);
}

TEST_F(RunnerTest, ALevelWithoutWavesEndsAfterItsRunOut) {
  runResult r = playRun(pilotRun(7, 2, 1));
  const runSummary& s = r.summary;
  SCOPED_TRACE(formatSummaryJson(s));
  EXPECT_EQ(s.outcome, LEVEL_COMPLETE);
  EXPECT_EQ(s.wavesTotal, 0);
  EXPECT_EQ(s.hitsTaken, 0);
  EXPECT_GE(s.frames, 240);
  EXPECT_LE(s.frames, 245);
  EXPECT_EQ(s.score, 7500);  // the grade B bonus for starting health 2
  EXPECT_EQ(readWholeFile("records/highscores7.txt").substr(0, 9), "000007500");
}

TEST_F(RunnerTest, WholeFlowCreatesAProfileAndPlaysTheChosenLevel) {
  runOptions options = pilotRun(2, 4, 9);
  options.wholeFlow = true;
  options.maxTicks = 300;
  startCapturingStdout();
  runResult r = playRun(options);
  // The dummy sound device plays in real time; the run's clock must not run it out of channels.
  EXPECT_EQ(stopCapturingStdout().find("Unable to play"), std::string::npos);
  EXPECT_FALSE(r.stuck);
  EXPECT_EQ(r.summary.outcome, PLAYER_QUIT);
  EXPECT_GE(r.summary.frames, 290);
  std::string profile = readWholeFile("profiles/profile01.txt");
  ASSERT_EQ(profile.size(), 131u);
  EXPECT_EQ(profile[0], '1');
  EXPECT_EQ(profile[31 + 2], '0' + 4);  // a quit leaves the starting health alone
  EXPECT_EQ(readWholeFile("records/highscores2.txt").size(), 490u);
  EXPECT_TRUE(readWholeFile("records/highscores1.txt").empty());
}

TEST_F(RunnerTest, WritesScreenshotsOfChosenFrames) {
  runOptions options = pilotRun(1, 99, 2);
  options.maxTicks = 200;
  options.shots = {{150, dir + "/frame150.png"}, {5000, dir + "/never.png"}};
  runResult r = playRun(options);
  EXPECT_EQ(r.shotsWritten, 1);
  std::string png = readWholeFile(dir + "/frame150.png");
  ASSERT_GT(png.size(), 100u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_TRUE(readWholeFile(dir + "/never.png").empty());
}

TEST(PilotObserver, SeesTheShipAndEveryObjectWithoutChangingThem) {
  openHeadlessDisplay();
  avatar ship(DEFAULT_AVATAR, 0, 2.0f, 30, 100, 45, 20, 7);
  ship.setHealth(5);
  enemyList list;
  list.addEnemy(DEFAULT_ENEMY_BULLET, DTR270, 3.0f, 200, 105, nullptr, ENEMY_BULLET, 10, 10);
  int scripted = list.addEnemy(DEFAULT_ENEMY, FOLLOW_ACTION_LIST, ENEMY_SPEED, 250, 60, nullptr,
                               ENEMY, 45, 20);
  list.setHealth(scripted, 4);
  list.addEnemy(POINTS_100, ARC_PIT150, 3.0f, 150, 150, nullptr, POWER_UP, 20, 20);

  pilotObserver observer;
  pilotView view = observer.observe(&ship, &list);
  EXPECT_EQ(view.x, 30);
  EXPECT_EQ(view.y, 100);
  EXPECT_EQ(view.health, 5);
  EXPECT_EQ(view.bombs, 3);
  ASSERT_EQ(view.things.size(), 3u);
  EXPECT_EQ(view.things[0].alignment, ENEMY_BULLET);
  EXPECT_NEAR(view.things[0].dx, -3.0f, 0.01f);  // straight flight, left
  EXPECT_NEAR(view.things[0].dy, 0.0f, 0.01f);
  EXPECT_EQ(view.things[1].health, 4);
  EXPECT_EQ(view.things[1].dx, 0);  // a scripted object's speed is not known yet
  EXPECT_EQ(view.things[2].alignment, POWER_UP);

  // Moved by its script since: the next view reads its speed from the move.
  list.first->next->x -= 1.5f;
  list.first->next->y += 0.5f;
  view = observer.observe(&ship, &list);
  EXPECT_NEAR(view.things[1].dx, -1.5f, 0.001f);
  EXPECT_NEAR(view.things[1].dy, 0.5f, 0.001f);
  EXPECT_EQ(list.first->x, 200);  // looking changes nothing
  EXPECT_EQ(ship.getHealth(), 5);
  closeHeadlessDisplay();
}
