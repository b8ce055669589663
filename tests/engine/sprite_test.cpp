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
  const struct {
    int self, other, result;
  } rows[] = {{HARMLESS, PLAYER_1, 0}, {EXPLOSION, PLAYER_1, 0},       {PLAYER_1, ENEMY_BULLET, -1},
              {PLAYER_1, POWER_UP, 0}, {ENEMY_BULLET, PLAYER_1, -1},   {PLAYER_1_BULLET, ENEMY, -1},
              {ENEMY, ENEMY, 0},       {ENEMY, POWER_UP, 0},           {ENEMY, PLAYER_1, -1},
              {WALL, HARMLESS, -1},    {PLAYER_1_BULLET, PLAYER_1, -1}};
  for (const auto& r : rows)
    EXPECT_EQ(at(0, 0, 10, 10, r.self).hitTest(0, 0, 10, 10, r.other), r.result)
        << r.self << r.other;
  EXPECT_EQ(globalScore, 0);
  EXPECT_EQ(at(0, 0, 10, 10, ENEMY).hitTest(5, 5, 10, 10, PLAYER_1_BULLET), -1);
  EXPECT_EQ(globalScore, 100);
}

// Each power-up raises its own flag and no other; an unknown one raises none.
TEST_F(HitTest, PowerUpsRaiseTheirFlags) {
  bool* const flags[] = {&globalExtraLifeWaiting, &points500SoundWaiting, &points100SoundWaiting,
                         &globalExtraBombWaiting, &globalFirePowerWaiting};
  const struct {
    int type, flag, score;
  } rows[] = {{EXTRA_LIFE, 0, 0}, {POINTS_500, 1, 500}, {POINTS_100, 2, 100},
              {EXTRA_BOMB, 3, 0}, {FIRE_POWER, 4, 0},   {70, -1, 0}};
  for (const auto& r : rows) {
    resetGlobals();
    EXPECT_EQ(at(0, 0, 20, 20, POWER_UP, r.type).hitTest(0, 0, 45, 20, PLAYER_1), -1);
    EXPECT_EQ(globalScore, r.score) << r.type;
    for (int f = 0; f < 5; f++) EXPECT_EQ(*flags[f], f == r.flag) << r.type << " flag " << f;
  }
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
