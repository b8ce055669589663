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

TEST_F(FadeTest, EndsAtFullOrNoAlphaAndTakesItsTicks) {
  const struct {
    int mode, ticks;
    Uint32 msPerRead, withinMs;  // 25 per read: steps of one tick with a fraction lost
    const char* printed;
    int alpha;
  } rows[] = {{FADE_IN, 60, 1, 62 * 16, "Fading In12", 255},
              {FADE_OUT, 61, 25, 2000, "Fading Out12", 0}};
  for (const auto& r : rows) {
    virtualClock::install(r.msPerRead);
    const Uint32 start = virtualClock::now();
    startCapturingStdout();
    fadeScreen(picture, r.mode, r.ticks);
    EXPECT_EQ(stopCapturingStdout(), r.printed);
    EXPECT_EQ(picture->format->alpha, r.alpha);
    const Uint32 took = virtualClock::now() - start;
    EXPECT_GE(took, r.ticks * 16u) << r.printed;
    EXPECT_LT(took, r.withinMs) << r.printed;
    Uint8 red, green, blue;
    readPixel(globalScreen, 100, 100, red, green, blue);
    EXPECT_EQ(red, r.alpha) << "the white picture shown at the fade's alpha";
  }
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
