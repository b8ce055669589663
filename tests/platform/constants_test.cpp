// The angle constants must be bit-exact: code compares bearings with them.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/constants.h"
#include "platform/globals.h"

namespace {
unsigned bits(float f) {
  unsigned u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}
}  // namespace

TEST(Angles, MatchTheirNineDigitValues) {
  EXPECT_EQ(bits(ARC_PI), bits(3.14150000f));
  EXPECT_EQ(bits(ARC_PIT025), bits(0.785374999f));
  EXPECT_EQ(bits(ARC_PIT050), bits(1.57075000f));
  EXPECT_EQ(bits(ARC_PIT075), bits(2.35612488f));
  EXPECT_EQ(bits(ARC_PIT125), bits(3.92687511f));
  EXPECT_EQ(bits(ARC_PIT150), bits(4.71224976f));
  EXPECT_EQ(bits(ARC_PIT175), bits(5.49762487f));
  EXPECT_EQ(bits(DTR90), bits(1.57075000f));
  EXPECT_EQ(bits(DTR180), bits(3.14150000f));
  EXPECT_EQ(bits(DTR270), bits(4.71225023f));
  EXPECT_EQ(bits(DTR360), bits(6.28300000f));
  EXPECT_NE(bits(DTR270), bits(ARC_PIT150));
}

TEST(Identifiers, SlotsThatLiveApart) {
  EXPECT_EQ(BACKGROUND_3, 80);
  EXPECT_EQ(BACKGROUND_4, 66);
  EXPECT_EQ(DEFAULT_ENEMY_7, EXTRA_LIFE);
  EXPECT_EQ(DEFAULT_ENEMY_8_WHITE, EXTRA_BOMB);
  EXPECT_EQ(DEFAULT_EXPLOSION_19, 26);
}

TEST(Globals, ResetRestoresStartValues) {
  globalScore = 700;
  master_volume = 10;
  smartBombSoundWaiting = true;
  globalPaused = true;
  resetGlobals();
  EXPECT_EQ(globalScore, 0);
  EXPECT_EQ(master_volume, 60);
  EXPECT_FALSE(smartBombSoundWaiting);
  EXPECT_FALSE(globalPaused);
  EXPECT_EQ(tempSrcRect.w, 320);
  EXPECT_EQ(tempDstRect.h, 240);
}
