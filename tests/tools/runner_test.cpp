// Headless runs of the game: a hand-made replay whose quit enters its score, and the
// runner's whole menu flow. (A whole recorded level played back: pilot_levels_test.)
#include <gtest/gtest.h>

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

// Each test plays in its own game directory, so records and profiles start empty.
class RunnerTest : public ::testing::Test {
 protected:
  scratchGameDir scratch;
};

int storedScore(const std::string& records, int entry) {
  return std::atoi(records.substr(49 * entry, 9).c_str());
}
}  // namespace

TEST_F(RunnerTest, AQuitByReplayEntersTheScoreInTheLevelsTable) {
  // Fire east along the top row, where the first line of enemies flies in, then leave.
  runOptions options = pilotRun(1, 10, 3);
  options.input = inputSource::REPLAY;
  options.replay.events = {{1, SDLK_d, true}, {500, SDLK_ESCAPE, true}};
  runResult r = playRun(options);
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
  runResult r;
  // The dummy sound device plays in real time; the run's clock must not run it out of channels.
  EXPECT_EQ(printedBy([&] { r = playRun(options); }).find("Unable to play"), std::string::npos);
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
