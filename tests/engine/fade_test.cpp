// The fade on the virtual clock, and the dice.
#include <gtest/gtest.h>

#include <set>

#include "engine/fade.h"
#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/random.h"
#include "tests/support/headless.h"

namespace {
struct FadeTest : testing::Test {
  SDL_Surface* picture = nullptr;
  void SetUp() override {
    openHeadlessDisplay();
    picture = makeScreenSurface();
    SDL_FillRect(picture, nullptr, SDL_MapRGB(picture->format, 255, 255, 255));
  }
  void TearDown() override {
    SDL_FreeSurface(picture);
    closeHeadlessDisplay();
  }
};
}  // namespace

TEST_F(FadeTest, FadeInEndsOpaqueAndTakesItsTicks) {
  Uint32 start = virtualClock::now();
  startCapturingStdout();
  fadeScreen(picture, FADE_IN, 60);
  EXPECT_EQ(stopCapturingStdout(), "Fading In12");
  EXPECT_EQ(picture->format->alpha, 255);
  Uint32 took = virtualClock::now() - start;
  EXPECT_GE(took, 60u * 16u);
  EXPECT_LT(took, 62u * 16u);
  Uint8 r, g, b;
  readPixel(globalScreen, 100, 100, r, g, b);
  EXPECT_EQ(r, 255);
}

TEST_F(FadeTest, FadeOutEndsTransparentEvenWhenTheLastStepOvershoots) {
  // 25 ms per read: steps of one tick with a fraction lost, sometimes two ticks.
  virtualClock::install(25);
  startCapturingStdout();
  fadeScreen(picture, FADE_OUT, 61);
  EXPECT_EQ(stopCapturingStdout(), "Fading Out12");
  EXPECT_EQ(picture->format->alpha, 0);
  Uint8 r, g, b;
  readPixel(globalScreen, 100, 100, r, g, b);
  EXPECT_EQ(r, 0);
}

TEST(Random, StaysInBoundsAndReplaysFromASeed) {
  seedRandom(42);
  std::set<int> seen;
  std::vector<int> first;
  for (int i = 0; i < 600; i++) {
    int v = pickRandom(6);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 6);
    seen.insert(v);
    first.push_back(v);
  }
  EXPECT_EQ(seen.size(), 6u);
  seedRandom(42);
  for (int i = 0; i < 600; i++) ASSERT_EQ(pickRandom(6), first[i]);
  EXPECT_EQ(pickRandom(0), 0);
  EXPECT_TRUE(runOnce);
}
