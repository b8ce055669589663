// The built-in pilot plays each themed level to its end at the highest starting health:
// every wave is released and cleared and the boss goes down, and the table keeps its run
// within 16 KB. One full run is also played back from its recording and must end exactly
// as it did.
#include <gtest/gtest.h>

#include "engine/run_file.h"
#include "platform/constants.h"
#include "tests/support/headless.h"
#include "tools/runner/replay.h"
#include "tools/runner/run_session.h"
#include "tools/runner/run_summary.h"

namespace {
class PilotLevels : public ::testing::TestWithParam<int> {
 protected:
  scratchGameDir scratch;
};

runResult flyLevel(int levelNumber) {
  runOptions options;
  options.levelNumber = levelNumber;
  options.startHealth = 99;
  options.seed = 20 + levelNumber;
  options.keepRun = true;
  return playRun(options);
}

void expectCompleted(const runSummary& s) {
  SCOPED_TRACE(formatSummaryJson(s));
  EXPECT_EQ(s.outcome, LEVEL_COMPLETE);
  EXPECT_EQ(s.wavesTotal, 22);
  EXPECT_EQ(s.wavesReleased, 22);
  EXPECT_GT(s.score, 22 * 300);  // every enemy takes at least three shots
  EXPECT_GT(s.healthLeft, 0);
  EXPECT_EQ(s.ticks, s.frames);  // the virtual clock gives every frame one tick
  EXPECT_GT(s.frames, 240);      // the run-out of a completed level alone
}
}  // namespace

TEST_P(PilotLevels, CompletesTheLevel) {
  runResult r = flyLevel(GetParam());
  expectCompleted(r.summary);
  EXPECT_FALSE(r.stuck);
  // The score entered in the level's table is the one reported.
  std::string records = readWholeFile("records/highscores" + std::to_string(GetParam()) + ".txt");
  ASSERT_EQ(records.size(), 490u);
  EXPECT_EQ(std::atoi(records.substr(0, 9).c_str()), r.summary.score);
  // Its run is kept beside the table, within a whole level's bound.
  keptRun run;
  EXPECT_EQ(decodeRun(r.keptRun, run), runProblem::NONE);
  EXPECT_EQ(run.score, r.summary.score);
  EXPECT_LE(r.keptRun.size(), RUN_FILE_MOST_BYTES);
  printf("kept run of level %d: %zu bytes\n", GetParam(), r.keptRun.size());
}

INSTANTIATE_TEST_SUITE_P(ThemedLevels, PilotLevels, ::testing::Values(1, 2, 3, 4));

TEST(PilotLevelReplay, AWholeCompletedLevelPlaysBackExactly) {
  scratchGameDir scratch;
  runResult flown = flyLevel(1);
  expectCompleted(flown.summary);
  runOptions playback;
  playback.input = inputSource::REPLAY;
  playback.replay = flown.recorded;
  playback.levelNumber = flown.recorded.levelNumber;
  playback.startHealth = flown.recorded.startHealth;
  playback.seed = flown.recorded.seed;
  runResult replayed = playRun(playback);
  EXPECT_EQ(formatSummaryJson(replayed.summary), formatSummaryJson(flown.summary));
}
