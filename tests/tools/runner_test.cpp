// Headless runs of the game: a recording played back, a quit entering its score, the
// summary's counters, and the runner's whole menu flow.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/constants.h"
#include "tests/support/headless.h"
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

TEST_F(RunnerTest, WholeFlowCreatesAProfileAndPlaysTheChosenLevel) {
  runOptions options = pilotRun(2, 4, 9);
  options.wholeFlow = true;
  options.maxTicks = 300;
  runResult r = playRun(options);
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
