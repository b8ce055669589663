// A game directory holding the font and nothing else: no picture, sound effect or tune.
// A whole level must still run to its end, saying which
// sounds failed to load; every object simply goes undrawn and unheard.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "frontend/game.h"
#include "platform/constants.h"
#include "tests/support/headless.h"
#include "tools/runner/run_session.h"
#include "tools/runner/run_summary.h"

namespace {
class MissingMedia : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* media : {"sprites", "backgrounds", "sounds", "music"}) {
      // The links to the built media (copies where links cannot be made).
      ASSERT_GT(std::filesystem::remove_all(media), 0u) << media;
    }
    ASSERT_EQ(access("fonts/xirod.ttf", R_OK), 0);
  }
  scratchGameDir scratch;
};
}  // namespace

TEST_F(MissingMedia, AWholeLevelIsPlayedToItsEnd) {
  runOptions options;
  options.levelNumber = 2;
  options.startHealth = 99;
  options.seed = 22;
  runResult r{};
  std::string printed = printedBy([&] { r = playRun(options); });
  SCOPED_TRACE(formatSummaryJson(r.summary));
  EXPECT_FALSE(r.stuck);
  // Pictures only show the objects: the waves, the hits and the outcome are as ever.
  EXPECT_EQ(r.summary.outcome, LEVEL_COMPLETE);
  EXPECT_EQ(r.summary.wavesReleased, 22);
  EXPECT_GT(r.summary.score, 22 * 300);
  EXPECT_EQ(countOf(printed, " Sound failed to load\n"), 12u) << "one line per sound effect";
  EXPECT_NE(printed.find("Unable to play WAV file: "), std::string::npos)
      << "a requested sound that never loaded is reported when it should play";
  EXPECT_EQ(readWholeFile("records/highscores2.txt").size(), 490u);
}

TEST_F(MissingMedia, WithoutTheFontTheGameSaysSoAndLeavesWithAnError) {
  ASSERT_GT(std::filesystem::remove_all("fonts"), 0u);
  // An error, so on standard error, which the death test reads.
  EXPECT_EXIT({ game g; }, testing::ExitedWithCode(EXIT_FAILURE),
              "Cannot open the font fonts/xirod.ttf");
}
