// Scripted objects: straight-line headings, animation and explosions, scripts with waits,
// aimed shots and the death effect.
#include "engine/enemy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "engine/avatar.h"
#include "engine/enemy_list.h"
#include "platform/random.h"
#include "platform/constants.h"
#include "platform/globals.h"

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
  // The game's pi of 3.1415 keeps every heading within a thousandth of the true one.
  for (float d = 0.0f; d < 6.28f; d += 0.1f) {
    enemy e(DEFAULT_ENEMY, d, 4.0f, 0, 0, nullptr, ENEMY, 10, 10);
    EXPECT_NEAR(e.xIncrement, 4.0f * std::sin(d), 2e-3) << d;
    EXPECT_NEAR(e.yIncrement, -4.0f * std::cos(d), 2e-3) << d;
  }
}

TEST_F(Enemy, WhatCannotMoveStandsStillOrDies) {
  for (float d : {-0.5f, 6.283f, 7.0f}) {  // headings outside one turn
    enemy e(DEFAULT_ENEMY, d, 3.0f, 50, 60, nullptr, ENEMY, 10, 10);
    e.update(5, &ship);
    EXPECT_EQ(e.x, 50.0f) << d;
    EXPECT_EQ(e.y, 60.0f) << d;
  }
  enemy scripted(DEFAULT_ENEMY, FOLLOW_ACTION_LIST, 1.5f, 50, 60, nullptr, ENEMY, 10, 10);
  scripted.update(10, &ship);
  EXPECT_EQ(scripted.x, 50.0f) << "no steps, no movement";
  enemy stuck(DEFAULT_ENEMY_BULLET, 1.0f, 0.0f, 50, 60, nullptr, ENEMY_BULLET, 10, 10);
  stuck.update(1, &ship);
  EXPECT_EQ(stuck.health, 0) << "a shot that cannot move dies";
  enemy shot(DEFAULT_AVATAR_BULLET, DTR90, 0.0f, 319.9f, 60, nullptr, PLAYER_1_BULLET, 10, 10);
  shot.update(1, &ship);
  EXPECT_EQ(shot.health, 1);
  shot.x = 320.0f;
  shot.update(1, &ship);
  EXPECT_EQ(shot.health, 0) << "a player shot dies on leaving the screen";
}

TEST_F(Enemy, ExplosionLivesOneCycleWithoutMoving) {
  enemy blast(DEFAULT_EXPLOSION_0, DTR90, 3.0f, 80, 90, nullptr, EXPLOSION, 20, 20);
  blast.setMaxFrame(50);
  for (int i = 0; i < 49; i++) blast.update(1, &ship);
  EXPECT_EQ(blast.health, 1);
  EXPECT_EQ(blast.x, 80.0f);
  blast.update(1, &ship);
  EXPECT_EQ(blast.health, 0);
  enemy looping(DEFAULT_ENEMY_3, 0, 0, 0, 0, nullptr, ENEMY, 1, 1);  // four frames
  looping.update(3, &ship);
  looping.update(3, &ship);
  EXPECT_EQ(looping.frame, 0);
  EXPECT_EQ(looping.health, 1) << "only explosions die with their animation";
  enemy plain(BOSS_1, 0, 0, 0, 0, nullptr, ENEMY, 1, 1);  // no frame count of its own
  for (int i = 0; i < 199; i++) plain.update(10, &ship);
  EXPECT_EQ(plain.frame, 1990);
  plain.update(10, &ship);
  EXPECT_EQ(plain.frame, 0);
}

TEST_F(Enemy, WaitHoldsStillForItsTicks) {
  enemy e(DEFAULT_ENEMY, FOLLOW_ACTION_LIST, 1.5f, 100, 100, nullptr, ENEMY, 10, 10);
  e.addAction(WAIT, 0, 0, 0, 0, 0, 1, 5);
  e.addAction(MOVE, 100, 100, 200, 100, 2.0f, 1, 0);
  for (int i = 0; i < 4; i++) e.update(2, &ship);  // the wait step, then 5 ticks counted down
  EXPECT_EQ(e.x, 100.0f);
  e.update(2, &ship);
  EXPECT_EQ(e.x, 104.0f);
}

TEST_F(Enemy, AimedShotsFlyTowardsTheShip) {
  const struct {
    float ax, ay, bearing;  // bearing < 0: checked by flight only
  } rows[] = {
      {100, 150, ARC_PI}, {100, 40, 0.0f}, {30, 100, DTR270}, {170, 100, DTR90},
      {40, 180, -1},      {160, 170, -1},  {190, 60, -1},     {20, 30, -1},
  };
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

TEST_F(Enemy, DeathLeavesAnExplosionAndSometimesAPowerUp) {
  std::map<int, int> drops;
  const int deaths = 600;
  for (int i = 0; i < deaths; i++) {
    enemyList list;
    list.addEnemy(DEFAULT_ENEMY_2, 0.0f, 0.0f, 120, 130, nullptr, ENEMY, 30, 25);
    list.first->lastAction();
    enemy* blast = list.first->next;
    ASSERT_NE(blast, nullptr);
    EXPECT_EQ(blast->alignment, EXPLOSION);
    EXPECT_EQ(blast->maxFrame, 50);
    EXPECT_EQ(blast->width, 30);
    if (blast->next != nullptr) drops[blast->next->typeId]++;
  }
  EXPECT_TRUE(enemyExplodeSoundWaiting);
  EXPECT_EQ(drops.count(EXTRA_BOMB), 0u);
  int dropped = 0;
  for (int kind : {EXTRA_LIFE, POINTS_500, POINTS_100, FIRE_POWER}) {
    EXPECT_GT(drops[kind], 60) << kind;  // about 100 each
    dropped += drops[kind];
  }
  EXPECT_EQ(drops.size(), 4u);
  EXPECT_NEAR(dropped / static_cast<double>(deaths), 4.0 / 6.0, 0.07);
  enemyList bullets;
  bullets.addEnemy(DEFAULT_ENEMY_BULLET, 0.0f, 0.0f, 1, 1, nullptr, ENEMY_BULLET, 10, 10);
  bullets.first->lastAction();
  EXPECT_EQ(bullets.first->next, nullptr) << "only enemies leave anything behind";
}
