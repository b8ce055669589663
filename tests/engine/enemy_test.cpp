// Scripted objects: straight-line headings, aimed shots and what a destroyed one leaves.
#include "engine/enemy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/avatar.h"
#include "engine/enemy_list.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/random.h"

namespace {
struct Enemy : testing::Test {
  void SetUp() override {
    resetGlobals();
    seedRandom(7);
  }
  avatar ship{DEFAULT_AVATAR, 0.0f, 2.0f, 10.0f, 10.0f, 45, 20, 7};
};
}  // namespace

TEST_F(Enemy, HeadingsRunClockwiseFromUpAndAxesAreExact) {
  enemy right(DEFAULT_ENEMY, DTR90, 2.0f, 100, 100, nullptr, ENEMY, 10, 10);
  enemy down(DEFAULT_ENEMY, ARC_PI, 2.0f, 100, 100, nullptr, ENEMY, 10, 10);
  EXPECT_EQ(right.yIncrement, 0.0f);
  EXPECT_EQ(down.xIncrement, 0.0f);
  down.update(3, &ship);
  EXPECT_EQ(down.x, 100.0f);
  EXPECT_EQ(down.y, 106.0f);
}

TEST_F(Enemy, AimedShotsFlyTowardsTheShip) {
  // Bearing < 0: checked by flight only. A ship on the very spot is fired at straight down.
  const struct {
    float ax, ay, bearing;
  } rows[] = {{100, 150, ARC_PI}, {100, 40, 0.0f}, {30, 100, DTR270},
              {170, 100, DTR90},  {40, 180, -1},   {160, 170, -1},
              {190, 60, -1},      {20, 30, -1},    {100, 100, ARC_PI}};
  for (const auto& r : rows) {
    enemyList list;
    list.addEnemy(DEFAULT_ENEMY, FOLLOW_ACTION_LIST, 1.5f, 100, 100, nullptr, ENEMY, 20, 20);
    list.addAction(0, FIRE_AIMED, 0, 0, 0, 0, 0, 1, 0);
    ship.x = r.ax;
    ship.y = r.ay;
    list.first->update(1, &ship);
    enemy* bullet = list.first->next;
    ASSERT_NE(bullet, nullptr);
    EXPECT_EQ(bullet->alignment, ENEMY_BULLET);
    if (r.bearing >= 0) {
      EXPECT_EQ(bullet->direction, r.bearing) << r.ax << "," << r.ay;
    }
    // Having flown the distance at 3 per tick, the bullet is where the ship was.
    const float dx = r.ax - 100, dy = r.ay - 100;
    const float ticks = std::sqrt(dx * dx + dy * dy) / 3.0f;
    EXPECT_NEAR(bullet->x + ticks * bullet->xIncrement, r.ax, 0.01) << r.ax << "," << r.ay;
    EXPECT_NEAR(bullet->y + ticks * bullet->yIncrement, r.ay, 0.01) << r.ax << "," << r.ay;
  }
  EXPECT_TRUE(enemyGunSoundWaiting);
}

// A destroyed enemy leaves one explosion, which lives one animation cycle, and now and
// then a power-up; a boss, whether or not its last hit left it white, leaves none.
TEST_F(Enemy, ADestroyedEnemyLeavesAnExplosionAndABossNoPowerUp) {
  for (int type : {DEFAULT_ENEMY, BOSS_1, BOSS_2}) {
    for (bool white : {false, true}) {
      SCOPED_TRACE(std::to_string(type) + (white ? " white" : ""));
      int powerUps = 0;
      for (int seed = 1; seed <= 40; seed++) {
        seedRandom(seed);
        enemy* destroyed = new enemy(type, DTR90, 0.0f, 100, 100, nullptr, ENEMY, 45, 20);
        if (white) destroyed->turnWhite();
        destroyed->lastAction();
        int explosions = 0;
        for (enemy* left = destroyed->next; left != nullptr; left = left->next) {
          explosions += left->alignment == EXPLOSION;
          powerUps += left->alignment == POWER_UP;
        }
        EXPECT_EQ(explosions, 1);
        enemy* blast = destroyed->next;
        ASSERT_NE(blast, nullptr);
        int ticks = 0;
        for (; blast->health > 0 && ticks < 1000; ticks++) blast->update(1, &ship);
        EXPECT_GT(ticks, 10) << "the explosion is seen";
        EXPECT_LE(ticks, 60) << "and gone within a second";
        while (destroyed != nullptr) {
          enemy* following = destroyed->next;
          delete destroyed;
          destroyed = following;
        }
      }
      EXPECT_EQ(powerUps > 0, type == DEFAULT_ENEMY) << powerUps << " power-ups";
    }
  }
}
