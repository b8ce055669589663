// The fade on the virtual clock, and the dice.
#include <gtest/gtest.h>

#include <set>
#include <vector>

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
    EXPECT_EQ(printedBy([&] { fadeScreen(picture, r.mode, r.ticks); }), r.printed);
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
  std::vector<int> runs[2];
  for (std::vector<int>& run : runs) {
    seedRandom(42);
    for (int i = 0; i < 600; i++) run.push_back(pickRandom(6));
  }
  EXPECT_EQ(runs[0], runs[1]);
  EXPECT_EQ(std::set<int>(runs[0].begin(), runs[0].end()), (std::set<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(pickRandom(0), 0);
}
