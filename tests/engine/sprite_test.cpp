// The hit test: the overlap rule and the outcome for each pair of alignments.
#include <gtest/gtest.h>

#include "engine/sprite.h"
#include "platform/constants.h"
#include "platform/globals.h"

namespace {
struct HitTest : testing::Test {
  void SetUp() override { resetGlobals(); }
  sprite at(float x, float y, int w, int h, int align, int type = 3) {
    return sprite(type, 0.0f, 0.0f, x, y, 1, align, w, h);
  }
};
}  // namespace

// Boxes meet when a corner of one is inside the other (borders included, so a box inside
// another meets and a plus sign does not); the smallest gap does not meet, and a box of
// negative width still counts its corners where they are.
TEST_F(HitTest, OverlapNeedsACornerInsideTheOtherBoxOnBothAxes) {
  struct {
    float x, y;
    int w, h;
    int expected;
  } const cases[] = {
      {20, 5, 10, 10, -1},  {20.001f, 5, 10, 10, 0}, {-10, 5, 10, 10, -1}, {-10.001f, 5, 10, 10, 0},
      {5, 20, 10, 10, -1},  {5, 20.001f, 10, 10, 0}, {5, -10, 10, 10, -1}, {5, -10.001f, 10, 10, 0},
      {32, 5, -15, 10, -1}, {5, 32, 10, -15, -1},    {40, 5, -15, 10, 0},  {20, 20, 10, 10, -1},
      {5, 5, 5, 5, -1},     {-20, -20, 60, 60, -1},  {-10, 8, 40, 4, 0},   {8, -10, 4, 40, 0},
  };
  for (const auto& c : cases) {
    sprite target = at(0, 0, 20, 20, ENEMY);
    EXPECT_EQ(target.hitTest(c.x, c.y, c.w, c.h, PLAYER_1_BULLET), c.expected)
        << c.x << "," << c.y << " " << c.w << "x" << c.h;
    sprite mover = at(c.x, c.y, c.w, c.h, ENEMY);
    EXPECT_EQ(mover.hitTest(0, 0, 20, 20, PLAYER_1_BULLET), c.expected)
        << "the other way round, " << c.x << "," << c.y;
  }
}

TEST_F(HitTest, OutcomesByAlignment) {
  EXPECT_EQ(at(0, 0, 10, 10, HARMLESS).hitTest(0, 0, 10, 10, PLAYER_1), 0);
  EXPECT_EQ(at(0, 0, 10, 10, EXPLOSION).hitTest(0, 0, 10, 10, PLAYER_1), 0);
  EXPECT_EQ(at(0, 0, 10, 10, PLAYER_1).hitTest(0, 0, 10, 10, ENEMY_BULLET), -1);
  EXPECT_EQ(at(0, 0, 10, 10, PLAYER_1).hitTest(0, 0, 10, 10, POWER_UP), 0);
  EXPECT_EQ(at(0, 0, 10, 10, ENEMY_BULLET).hitTest(0, 0, 10, 10, PLAYER_1), -1);
  EXPECT_EQ(at(0, 0, 10, 10, PLAYER_1_BULLET).hitTest(0, 0, 10, 10, ENEMY), -1);
  EXPECT_EQ(at(0, 0, 10, 10, ENEMY).hitTest(0, 0, 10, 10, ENEMY), 0);
  EXPECT_EQ(at(0, 0, 10, 10, ENEMY).hitTest(0, 0, 10, 10, POWER_UP), 0);
  EXPECT_EQ(at(0, 0, 10, 10, ENEMY).hitTest(0, 0, 10, 10, PLAYER_1), -1);
  EXPECT_EQ(at(0, 0, 10, 10, PLAYER_1_BULLET).hitTest(0, 0, 10, 10, PLAYER_1), -1);
  EXPECT_EQ(at(0, 0, 10, 10, WALL).hitTest(0, 0, 10, 10, HARMLESS), -1);
  EXPECT_EQ(globalScore, 0);
  EXPECT_EQ(at(0, 0, 10, 10, ENEMY).hitTest(5, 5, 10, 10, PLAYER_1_BULLET), -1);
  EXPECT_EQ(globalScore, 100);
}

TEST_F(HitTest, PowerUpsRaiseTheirFlags) {
  EXPECT_EQ(at(0, 0, 20, 20, POWER_UP, EXTRA_LIFE).hitTest(0, 0, 45, 20, PLAYER_1), -1);
  EXPECT_TRUE(globalExtraLifeWaiting);
  at(0, 0, 20, 20, POWER_UP, POINTS_500).hitTest(0, 0, 45, 20, PLAYER_1);
  EXPECT_EQ(globalScore, 500);
  EXPECT_TRUE(points500SoundWaiting);
  at(0, 0, 20, 20, POWER_UP, POINTS_100).hitTest(0, 0, 45, 20, PLAYER_1);
  EXPECT_EQ(globalScore, 600);
  EXPECT_TRUE(points100SoundWaiting);
  at(0, 0, 20, 20, POWER_UP, EXTRA_BOMB).hitTest(0, 0, 45, 20, PLAYER_1);
  EXPECT_TRUE(globalExtraBombWaiting);
  at(0, 0, 20, 20, POWER_UP, FIRE_POWER).hitTest(0, 0, 45, 20, PLAYER_1);
  EXPECT_TRUE(globalFirePowerWaiting);
  resetGlobals();
  EXPECT_EQ(at(0, 0, 20, 20, POWER_UP, 70).hitTest(0, 0, 45, 20, PLAYER_1), -1);
  EXPECT_EQ(globalScore, 0);
  EXPECT_FALSE(globalExtraLifeWaiting || globalExtraBombWaiting || globalFirePowerWaiting);
}

TEST_F(HitTest, SmartBombStrikesOnceWhileImmune) {
  sprite e = at(5, 30, 45, 20, ENEMY);
  EXPECT_EQ(e.hitTest(0, 25, 10, 215, SMART_BOMB), -10);
  EXPECT_EQ(e.smartInvTimer, 46);
  EXPECT_EQ(globalScore, 100);
  EXPECT_EQ(e.hitTest(0, 25, 10, 215, SMART_BOMB), 0);
  EXPECT_EQ(globalScore, 100);
  sprite shot = at(5, 30, 10, 10, ENEMY_BULLET);
  EXPECT_EQ(shot.hitTest(0, 25, 10, 215, SMART_BOMB), -1);
  EXPECT_EQ(globalScore, 200);
}
