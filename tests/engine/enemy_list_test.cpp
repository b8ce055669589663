// The enemy list: index-based set-up, the ship's shots and sweeps, hits among entries and
// with the ship, ally chains, and clearing the dead and departed.
#include "engine/enemy_list.h"

#include <gtest/gtest.h>

#include "engine/avatar.h"
#include "engine/enemy.h"
#include "platform/random.h"
#include "platform/constants.h"
#include "platform/globals.h"

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

TEST_F(EnemyList, IndicesOutOfRangeAreIgnored) {
  list.addAction(0, WAIT, 0, 0, 0, 0, 0, 1, 5);
  list.removeEnemy(0);
  EXPECT_EQ(addStill(ENEMY, 10, 30), 0);
  list.addAction(7, WAIT, 0, 0, 0, 0, 0, 1, 5);
  EXPECT_NE(at(0)->actionList.first, nullptr) << "a lone entry takes the step whatever the index";
  EXPECT_EQ(addStill(ENEMY, 10, 60), 1);
  list.addAction(2, WAIT, 0, 0, 0, 0, 0, 1, 9);
  list.addAction(-1, WAIT, 0, 0, 0, 0, 0, 1, 9);
  list.setHealth(2, 40);
  list.setHealth(-3, 40);
  list.addAlly(0, 5);
  list.addAlly(1, 1);
  list.removeEnemy(2);
  list.removeEnemy(-1);
  EXPECT_EQ(at(1)->actionList.first, nullptr);
  EXPECT_EQ(at(0)->actionList.first->next, nullptr);
  EXPECT_EQ(count(ENEMY), 2);
  for (int i = 0; i < 2; i++) {
    EXPECT_EQ(at(i)->health, 1);
    EXPECT_EQ(at(i)->nextAlly, nullptr);
  }
}

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
    for (enemy* s = shots.first; s != nullptr; s = s->next) {
      EXPECT_EQ(sign(s->xIncrement), sx[b - 1]) << b;
      EXPECT_EQ(sign(s->yIncrement), sy[b - 1]) << b;
      const float side = sx[b - 1] * (s->x - s->xIncrement + 5 - (ship.x + 22.5f)) +
                         sy[b - 1] * (s->y - s->yIncrement + 5 - (ship.y + 10));
      EXPECT_GT(side, 0.0f) << b;
    }
  }
}

TEST_F(EnemyList, OneShotOnTwoEnemiesScoresTwoHundred) {
  addStill(ENEMY, 100, 100);
  addStill(ENEMY, 115, 100);
  addStill(PLAYER_1_BULLET, 112, 105, 10, 10);
  list.setHealth(0, 3);
  list.setHealth(1, 3);
  list.setHealth(2, 2);
  list.healthUpdate();
  EXPECT_EQ(globalScore, 200);
  EXPECT_EQ(at(0)->health, 2);
  EXPECT_EQ(at(1)->health, 2);
  EXPECT_EQ(at(2)->health, 1) << "the shot loses one, once";
  EXPECT_EQ(at(0)->typeId, DEFAULT_ENEMY_WHITE);
}

TEST_F(EnemyList, TwoShotsOnOneEnemyScoreOneHundred) {
  addStill(ENEMY, 100, 100);
  addStill(PLAYER_1_BULLET, 95, 95, 10, 10);
  addStill(PLAYER_1_BULLET, 110, 110, 10, 10);
  list.setHealth(0, 5);
  list.healthUpdate();
  EXPECT_EQ(globalScore, 100);
  EXPECT_EQ(at(0)->health, 4);
  EXPECT_EQ(at(1)->health, 0);
  EXPECT_EQ(at(2)->health, 0);
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

TEST_F(EnemyList, RemovingAMemberMendsTheChain) {
  for (int i = 0; i < 3; i++) addStill(ENEMY, 100 + 30 * i, 100);
  list.addAlly(0, 1);
  list.addAlly(1, 2);
  enemy* front = at(0);
  enemy* back = at(2);
  list.removeEnemy(1);
  EXPECT_EQ(front->nextAlly, back);
  EXPECT_EQ(back->previousAlly, front);
  list.removeEnemy(front);
  EXPECT_EQ(back->previousAlly, nullptr);
  EXPECT_EQ(list.first, back);
  EXPECT_EQ(back->previous, nullptr);
  // A ring of two, which no wave builds, must neither hang a hit nor leave a self-link.
  addStill(ENEMY, 200, 100);
  list.addAlly(0, 1);
  list.addAlly(1, 0);
  addStill(PLAYER_1_BULLET, 165, 105, 10, 10);  // strikes the first member
  list.healthUpdate();
  EXPECT_EQ(at(1)->typeId, DEFAULT_ENEMY_WHITE);
  list.removeEnemy(1);
  EXPECT_EQ(back->nextAlly, nullptr);
  EXPECT_EQ(back->previousAlly, nullptr);
}

TEST_F(EnemyList, SweepStrikesEachEnemyOnce) {
  ship.fireSmartBomb();
  list.update(1, &ship);
  ASSERT_EQ(count(SMART_BOMB), 1);
  EXPECT_TRUE(smartBombSoundWaiting);
  EXPECT_EQ(list.enemyCount(), 1) << "a sweep in flight holds the next wave back";
  addStill(ENEMY, 5, 100, 20, 20);
  list.setHealth(1, 25);
  addStill(ENEMY_BULLET, 5, 60, 10, 10);
  list.healthUpdate();
  EXPECT_EQ(at(1)->health, 15);
  EXPECT_EQ(at(2)->health, 0);
  EXPECT_EQ(globalScore, 200);
  EXPECT_EQ(at(0)->health, 1) << "the sweep itself is never hit";
  list.clearDead();
  EXPECT_EQ(list.enemyCount(), 2) << "bullets do not count";
  // Immune for its width plus one ticks, though the sweep still overlaps it.
  for (int tick = 0; tick < 20; tick++) {
    list.update(1, &ship);
    list.healthUpdate();
  }
  EXPECT_EQ(at(1)->health, 15);
  EXPECT_EQ(globalScore, 200);
  at(1)->x = at(0)->x + 5;  // its left corners inside the bar again
  list.update(1, &ship);
  list.healthUpdate();
  EXPECT_EQ(at(1)->health, 5);
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

TEST_F(EnemyList, ShipDeathExplodesOnceEvenOnAnEmptyList) {
  ship.setHealth(1);
  ship.takeHit(1);
  list.healthUpdate(&ship);
  list.healthUpdate(&ship);
  ASSERT_EQ(count(EXPLOSION), 1);
  EXPECT_EQ(list.first->x, 250.0f);
  EXPECT_EQ(list.first->width, 45);
  for (int tick = 0; tick < 239; tick++) list.update(1, &ship);
  list.clearDead();
  EXPECT_EQ(count(EXPLOSION), 1);
  list.update(1, &ship);
  list.clearDead();
  EXPECT_EQ(list.first, nullptr) << "gone after 240 ticks";
}

TEST_F(EnemyList, DeadEnemiesExplodeDepartedOnesVanish) {
  addStill(ENEMY, -50, 100);  // just outside the kept area
  addStill(POWER_UP, -50, 100, 20, 20, POINTS_500);
  addStill(ENEMY, 100, 290);
  addStill(ENEMY, 369, 289);  // just inside
  list.addEnemy(DEFAULT_ENEMY, ARC_PIT150, 3.0f, -45, 100, nullptr, ENEMY, 20, 20);
  list.update(2, &ship);  // flies out past x = -50
  list.clearDead();
  EXPECT_FALSE(enemyExplodeSoundWaiting);
  EXPECT_EQ(count(EXPLOSION) + count(POWER_UP), 0);
  EXPECT_EQ(count(ENEMY), 1);
  EXPECT_EQ(list.first->x, 369.0f);
  list.setHealth(0, 0);
  list.clearDead();
  EXPECT_TRUE(enemyExplodeSoundWaiting);
  EXPECT_EQ(count(EXPLOSION), 1) << "only the dead one explodes";
}

TEST_F(EnemyList, BossShotDownDropsNoPowerUp) {
  int bossDrops = 0, plainDrops = 0;
  for (int round = 0; round < 40; round++) {
    for (int type : {BOSS_1, BOSS_2, DEFAULT_ENEMY}) {
      enemyList field;
      field.addEnemy(type, 0.0f, 0.0f, 100, 100, nullptr, ENEMY, 40, 40);
      field.addEnemy(DEFAULT_AVATAR_BULLET, 0.0f, 0.0f, 110, 110, nullptr, PLAYER_1_BULLET, 10, 10);
      field.healthUpdate();  // turns the enemy white as it dies
      field.clearDead();
      for (enemy* e = field.first; e != nullptr; e = e->next) {
        if (e->alignment == POWER_UP) (type == DEFAULT_ENEMY ? plainDrops : bossDrops)++;
      }
    }
  }
  EXPECT_EQ(bossDrops, 0);
  EXPECT_GT(plainDrops, 10) << "the same hits on an ordinary enemy do drop";
}

TEST_F(EnemyList, LoneEntryIsNeverHitByItself) {
  addStill(WALL, 100, 100);
  list.healthUpdate();
  EXPECT_EQ(at(0)->health, 1);
  addStill(WALL, 200, 200);
  list.healthUpdate();
  EXPECT_EQ(at(0)->health, 0) << "with a partner present a wall counts every touch";
}
