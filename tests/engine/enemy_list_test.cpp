// The enemy list: the ship's shots in every direction, hits among entries and with the
// ship, ally chains, and clearing the dead and departed.
#include "engine/enemy_list.h"

#include <gtest/gtest.h>

#include "engine/avatar.h"
#include "engine/enemy.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/random.h"

namespace {
struct EnemyList : testing::Test {
  void SetUp() override {
    resetGlobals();
    seedRandom(3);
    ship.setHealth(3);
  }
  // Far from everything the tests place, unless moved.
  avatar ship{DEFAULT_AVATAR, 0.0f, 2.0f, 250.0f, 200.0f, 45, 20, 7};
  enemyList list;

  int addStill(int align, float x, float y, int w = 20, int h = 20, int type = DEFAULT_ENEMY) {
    return list.addEnemy(type, 0.0f, 0.0f, x, y, nullptr, align, w, h);
  }
  enemy* at(int index) {
    enemy* e = list.first;
    for (int i = 0; i < index && e != nullptr; i++) e = e->next;
    return e;
  }
  int count(int align) {
    int n = 0;
    for (enemy* e = list.first; e != nullptr; e = e->next) n += e->alignment == align;
    return n;
  }
};
}  // namespace

TEST_F(EnemyList, VolleyLaunchesOneShotPerGunAwayFromTheShip) {
  ship.firePower = 3;
  ship.bulletDirection = EAST;
  ship.fireBullet();
  list.update(1, &ship);
  ASSERT_EQ(count(PLAYER_1_BULLET), 3);
  EXPECT_TRUE(avatarGunSoundWaiting);
  const float ys[3] = {200, 210, 190};
  for (int gun = 0; gun < 3; gun++) {  // from the nose, then one tick at 10 per tick
    EXPECT_FLOAT_EQ(at(gun)->x, 250 + 45 + 10) << gun;
    EXPECT_FLOAT_EQ(at(gun)->y, ys[gun]) << gun;
  }
  // Every direction: the shots head that way, from the side of the ship they fire to.
  const int sx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  const int sy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  const auto sign = [](float v) { return v > 0.01f ? 1 : (v < -0.01f ? -1 : 0); };
  for (int b = NORTH; b <= NORTH_WEST; b++) {
    enemyList shots;
    ship.bulletDirection = b;
    ship.fireBullet();
    shots.update(1, &ship);
    int launched = 0;
    for (enemy* s = shots.first; s != nullptr; s = s->next, launched++) {
      EXPECT_EQ(sign(s->xIncrement), sx[b - 1]) << b;
      EXPECT_EQ(sign(s->yIncrement), sy[b - 1]) << b;
      const float side = sx[b - 1] * (s->x - s->xIncrement + 5 - (ship.x + 22.5f)) +
                         sy[b - 1] * (s->y - s->yIncrement + 5 - (ship.y + 10));
      EXPECT_GT(side, 0.0f) << b;
    }
    EXPECT_EQ(launched, 3) << "one shot per gun in direction " << b;
  }
}

TEST_F(EnemyList, OneShotOnTwoEnemiesScoresTwoHundred) {
  addStill(ENEMY, 100, 100);
  addStill(ENEMY, 115, 100);
  addStill(PLAYER_1_BULLET, 112, 105, 10, 10);
  for (int i = 0; i < 3; i++) list.setHealth(i, i < 2 ? 3 : 2);
  list.healthUpdate();
  EXPECT_EQ(globalScore, 200);
  EXPECT_EQ(at(0)->health, 2);
  EXPECT_EQ(at(1)->health, 2);
  EXPECT_EQ(at(2)->health, 1) << "the shot loses one, once";
  EXPECT_EQ(at(0)->typeId, DEFAULT_ENEMY_WHITE);
}

TEST_F(EnemyList, AlliesShareEveryHitAndDieTogether) {
  for (int i = 0; i < 3; i++) addStill(ENEMY, 100 + 50 * i, 100);
  list.addAlly(0, 1);
  list.addAlly(1, 2);
  for (int i = 0; i < 3; i++) list.setHealth(i, 3);
  for (int hit = 1; hit <= 3; hit++) {
    addStill(PLAYER_1_BULLET, 155, 105, 10, 10);  // strikes the middle member
    list.healthUpdate();
    for (int i = 0; i < 3; i++) {
      EXPECT_EQ(at(i)->health, 3 - hit) << "member " << i;
      EXPECT_EQ(at(i)->typeId, DEFAULT_ENEMY_WHITE) << "member " << i;
    }
    list.clearDead();
    list.update(1, &ship);  // ends the flash
  }
  EXPECT_EQ(count(ENEMY), 0);
  EXPECT_EQ(count(EXPLOSION), 3);
  EXPECT_EQ(globalScore, 300) << "one hundred per hit, not per member";
}

TEST_F(EnemyList, ContactHurtsUnlessInvincibleButPowerUpsAreCollected) {
  addStill(ENEMY_BULLET, 260, 205, 10, 10);
  addStill(ENEMY, 270, 205, 10, 10);
  list.healthUpdate(&ship);
  EXPECT_EQ(at(0)->health, 0);
  EXPECT_EQ(at(1)->health, 1) << "one contact per frame";
  EXPECT_EQ(ship.getHealth(), 2);
  EXPECT_TRUE(avatarExplodeSoundWaiting);
  avatarExplodeSoundWaiting = false;
  list.removeEnemy(0);
  list.healthUpdate(&ship);  // invincible now
  EXPECT_EQ(at(0)->health, 1);
  EXPECT_EQ(ship.getHealth(), 2);
  list.removeEnemy(0);
  addStill(POWER_UP, 260, 205, 20, 20, EXTRA_LIFE);
  list.healthUpdate(&ship);
  EXPECT_TRUE(globalExtraLifeWaiting);
  EXPECT_FALSE(avatarExplodeSoundWaiting);
  list.clearDead();
  EXPECT_EQ(list.first, nullptr) << "a collected power-up leaves no explosion";
}
