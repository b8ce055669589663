// The drawing shortcuts change no pixel: a fixed run of the pilot draws the same frames,
// checksum for checksum, with each shortcut turned off as with all of them on.
#include <gtest/gtest.h>

#include <set>

#include "platform/frame_shortcuts.h"
#include "tests/support/headless.h"
#include "tools/runner/run_session.h"

namespace {
// Long enough for the fade-in, several waves, shots, explosions and score changes.
constexpr int TICKS_PLAYED = 900;

std::vector<Uint32> framesOf(int levelNumber, const frameShortcutSwitches& switches) {
  frameShortcuts = switches;
  runOptions options;
  options.levelNumber = levelNumber;
  options.startHealth = 99;
  options.seed = 7;
  options.maxTicks = TICKS_PLAYED;
  options.frameChecksums = true;
  std::vector<Uint32> frames = playRun(options).frameChecksums;
  frameShortcuts = frameShortcutSwitches();
  return frames;
}

// Each run plays in its own game directory, so records and profiles start empty.
class FrameShortcuts : public ::testing::TestWithParam<int> {
 protected:
  scratchGameDir scratch;
};

void expectSameFrames(const std::vector<Uint32>& expected, const std::vector<Uint32>& actual,
                      const char* shortcut) {
  ASSERT_EQ(expected.size(), actual.size()) << "without " << shortcut;
  for (size_t i = 0; i < expected.size(); i++) {
    ASSERT_EQ(expected[i], actual[i]) << "frame " << i + 1 << " differs without " << shortcut;
  }
}
}  // namespace

TEST_P(FrameShortcuts, EachShortcutDrawsTheSameFramesAsWithoutIt) {
  int levelNumber = GetParam();
  std::vector<Uint32> withAll = framesOf(levelNumber, frameShortcutSwitches());
  ASSERT_GE(withAll.size(), static_cast<size_t>(TICKS_PLAYED - 10));
  // A run whose frames never changed would prove nothing.
  EXPECT_GT(std::set<Uint32>(withAll.begin(), withAll.end()).size(), withAll.size() / 2);

  const std::pair<bool frameShortcutSwitches::*, const char*> shortcuts[] = {
      {&frameShortcutSwitches::sheetRuns, "sheet runs"},
      {&frameShortcutSwitches::opaqueCopy, "the opaque copy"},
      {&frameShortcutSwitches::keptNumbers, "kept numbers"},
      {&frameShortcutSwitches::coveredClear, "the covered clear"},
      {&frameShortcutSwitches::fadedCopy, "the faded copy"}};
  for (const auto& [shortcut, name] : shortcuts) {
    frameShortcutSwitches without;
    without.*shortcut = false;
    expectSameFrames(withAll, framesOf(levelNumber, without), name);
  }
}

INSTANTIATE_TEST_SUITE_P(ThemedLevels, FrameShortcuts, ::testing::Values(1, 2, 3, 4));
