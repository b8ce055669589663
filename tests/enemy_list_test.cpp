// The enemy list: index-based set-up, the ship's shots and sweeps, hits among entries and
// with the ship, ally chains, and clearing the dead and departed.
#include <gtest/gtest.h>

#include <map>

#include "engine/avatar.h"
#include "engine/enemy.h"
#include "engine/enemy_list.h"
#include "engine/random.h"
#include "shell/constants.h"
#include "shell/globals.h"

namespace {
struct EnemyList : testing::Test {
  void SetUp() override {
    resetGlobals();
    seedRandom(3);
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
  int size() {
    int n = 0;
    for (enemy* e = list.first; e != nullptr; e = e->next) n++;
    return n;
  }
  std::map<int, int> countByAlignment() {
    std::map<int, int> counts;
    for (enemy* e = list.first; e != nullptr; e = e->next) counts[e->alignment]++;
    return counts;
  }
  // One combat pass as the level runs it.
  void combat() {
    list.healthUpdate();
    list.healthUpdate(&ship);
    list.clearDead();
  }
};
}  // namespace

TEST_F(EnemyList, AddEnemyReturnsPositions) {
  EXPECT_EQ(addStill(ENEMY, 10, 30), 0);
  EXPECT_EQ(addStill(ENEMY, 10, 60), 1);
  EXPECT_EQ(addStill(ENEMY, 10, 90), 2);
  EXPECT_EQ(at(2)->previous, at(1));
  EXPECT_EQ(at(0)->previous, nullptr);
}

TEST_F(EnemyList, IndicesOutOfRangeAreIgnored) {
  list.addAction(0, WAIT, 0, 0, 0, 0, 0, 1, 5);
  list.setHealth(0, 5);
  list.addAlly(0, 1);
  list.removeEnemy(0);
  EXPECT_EQ(list.first, nullptr) << "an empty list ignores them all";
  addStill(ENEMY, 10, 30);
  list.addAction(7, WAIT, 0, 0, 0, 0, 0, 1, 5);
  EXPECT_NE(at(0)->actionList.first, nullptr) << "a lone entry takes the step whatever the index";
  addStill(ENEMY, 10, 60);
  list.addAction(2, WAIT, 0, 0, 0, 0, 0, 1, 9);
  list.addAction(-1, WAIT, 0, 0, 0, 0, 0, 1, 9);
  EXPECT_EQ(at(1)->actionList.first, nullptr);
  EXPECT_EQ(at(0)->actionList.first->next, nullptr);
  list.setHealth(2, 40);
  list.setHealth(-3, 40);
  list.addAlly(0, 5);
  list.addAlly(-1, 0);
  list.addAlly(1, 1);
  list.removeEnemy(2);
  list.removeEnemy(-1);
  EXPECT_EQ(size(), 2);
  for (int i = 0; i < 2; i++) {
    EXPECT_EQ(at(i)->health, 1);
    EXPECT_EQ(at(i)->nextAlly, nullptr);
    EXPECT_EQ(at(i)->previousAlly, nullptr);
  }
  list.setHealth(1, 40);
  EXPECT_EQ(at(1)->health, 40);
}

TEST_F(EnemyList, VolleyLaunchesOneShotPerGunFromTheGunTable) {
  ship.firePower = 3;
  ship.bulletDirection = EAST;
  ship.fireBullet();
  list.update(1, &ship);
  ASSERT_EQ(size(), 3);
  EXPECT_TRUE(avatarGunSoundWaiting);
  const float noseX = 250 + 45 + 10;  // spawned at the nose, then one tick at 10 per tick
  const float ys[3] = {200, 210, 190};
  for (int gun = 0; gun < 3; gun++) {
    EXPECT_EQ(at(gun)->alignment, PLAYER_1_BULLET);
    EXPECT_FLOAT_EQ(at(gun)->x, noseX) << gun;
    EXPECT_FLOAT_EQ(at(gun)->y, ys[gun]) << gun;
  }
  EXPECT_FALSE(ship.isFiring(0)) << "the list consumed the requests";
}

TEST_F(EnemyList, ShotsFlyAwayFromTheShipInTheirDirection) {
  // Sign of the shot's velocity in x and y for NORTH to NORTH_WEST.
  const int sx[8] = {0, 1, 1, 1, 0, -1, -1, -1};
  const int sy[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  ship.x = 150;
  ship.y = 120;
  for (int b = NORTH; b <= NORTH_WEST; b++) {
    enemyList shots;
    ship.firePower = 3;
    ship.bulletDirection = b;
    ship.fireBullet();
    shots.update(1, &ship);
    int n = 0;
    for (enemy* s = shots.first; s != nullptr; s = s->next, n++) {
      const auto sign = [](float v) { return v > 0.01f ? 1 : (v < -0.01f ? -1 : 0); };
      EXPECT_EQ(sign(s->xIncrement), sx[b - 1]) << "direction " << b;
      EXPECT_EQ(sign(s->yIncrement), sy[b - 1]) << "direction " << b;
      // Every gun sits on or outside the ship's box on the side it fires to.
      const float cx = s->x - s->xIncrement + 5, cy = s->y - s->yIncrement + 5;
      if (sx[b - 1] > 0) {
        EXPECT_GE(cx, ship.x + 45 - 10) << b;
      }
      if (sx[b - 1] < 0) {
        EXPECT_LE(cx, ship.x + 10) << b;
      }
      if (sy[b - 1] > 0) {
        EXPECT_GE(cy, ship.y + 20 - 10) << b;
      }
      if (sy[b - 1] < 0) {
        EXPECT_LE(cy, ship.y + 10) << b;
      }
    }
    EXPECT_EQ(n, 3);
  }
  ship.bulletDirection = 0;
  ship.fireBullet();
  list.update(1, &ship);
  EXPECT_EQ(list.first, nullptr) << "no direction yet, no shot";
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
  addStill(ENEMY, 100, 100);
  addStill(ENEMY, 200, 100);
  addStill(ENEMY, 200, 150);
  list.addAlly(0, 1);
  list.addAlly(1, 2);
  for (int i = 0; i < 3; i++) list.setHealth(i, 3);
  for (int hit = 1; hit <= 3; hit++) {
    addStill(PLAYER_1_BULLET, 205, 105, 10, 10);  // strikes the middle member
    list.healthUpdate();
    for (int i = 0; i < 3; i++) {
      EXPECT_EQ(at(i)->health, 3 - hit) << "member " << i;
      EXPECT_EQ(at(i)->typeId, DEFAULT_ENEMY_WHITE) << "member " << i;
    }
    list.clearDead();
    if (hit < 3) {
      EXPECT_EQ(list.enemyCount(), 3);
      list.update(1, &ship);  // ends the flash
      EXPECT_EQ(at(0)->typeId, DEFAULT_ENEMY);
    }
  }
  EXPECT_EQ(list.enemyCount(), 0);
  EXPECT_EQ(countByAlignment()[EXPLOSION], 3);
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
}

TEST_F(EnemyList, SweepStrikesEachEnemyOnce) {
  ship.fireSmartBomb();
  list.update(1, &ship);
  ASSERT_EQ(size(), 1);
  EXPECT_TRUE(smartBombSoundWaiting);
  EXPECT_EQ(list.first->alignment, SMART_BOMB);
  EXPECT_EQ(list.first->y, 25.0f);
  EXPECT_EQ(list.first->height, 215);
  EXPECT_EQ(list.enemyCount(), 1) << "a sweep in flight holds the next wave back";
  addStill(ENEMY, 5, 100, 20, 20);
  list.setHealth(1, 25);
  addStill(ENEMY_BULLET, 5, 60, 10, 10);
  list.healthUpdate();
  EXPECT_EQ(at(1)->health, 15);
  EXPECT_EQ(at(1)->smartInvTimer, 21);
  EXPECT_EQ(at(2)->health, 0);
  EXPECT_EQ(globalScore, 200);
  EXPECT_EQ(at(0)->health, 1) << "the sweep itself is never hit";
  list.clearDead();
  // While immune the overlapping sweep does nothing more.
  for (int tick = 0; tick < 20; tick++) {
    list.update(1, &ship);
    list.healthUpdate();
    list.clearDead();
  }
  EXPECT_EQ(at(1)->health, 15);
  EXPECT_EQ(globalScore, 200);
  // Pulled back under the sweep once immunity has run out, it is struck again.
  at(1)->x = at(0)->x + 5;  // its left corners inside the bar
  list.update(1, &ship);
  list.healthUpdate();
  EXPECT_EQ(at(1)->health, 5);
}

TEST_F(EnemyList, ContactCostsBothTheEntryAndTheShip) {
  ship.setHealth(3);
  addStill(ENEMY_BULLET, 260, 205, 10, 10);
  addStill(ENEMY, 270, 205, 10, 10);
  list.healthUpdate(&ship);
  EXPECT_EQ(at(0)->health, 0);
  EXPECT_EQ(at(1)->health, 1) << "one contact per frame";
  EXPECT_EQ(ship.getHealth(), 2);
  EXPECT_TRUE(avatarExplodeSoundWaiting);
  EXPECT_GT(ship.isInvincible(), 0);
}

TEST_F(EnemyList, InvincibleShipTakesNoHarmButCollectsPowerUps) {
  ship.setHealth(3);
  ship.takeHit(1);
  addStill(ENEMY_BULLET, 260, 205, 10, 10);
  list.healthUpdate(&ship);
  EXPECT_EQ(at(0)->health, 1);
  EXPECT_EQ(ship.getHealth(), 2);
  EXPECT_FALSE(avatarExplodeSoundWaiting);
  list.removeEnemy(0);
  addStill(POWER_UP, 260, 205, 20, 20, EXTRA_LIFE);
  list.healthUpdate(&ship);
  EXPECT_EQ(at(0)->health, 0);
  EXPECT_TRUE(globalExtraLifeWaiting);
  EXPECT_FALSE(avatarExplodeSoundWaiting);
  list.clearDead();
  EXPECT_EQ(list.first, nullptr) << "a collected power-up leaves no explosion";
  ship.update(1);
  EXPECT_EQ(ship.getHealth(), 3);
}

TEST_F(EnemyList, ShipDeathExplodesOnceEvenOnAnEmptyList) {
  ship.setHealth(1);
  ship.takeHit(1);
  list.healthUpdate(&ship);
  ASSERT_NE(list.first, nullptr);
  EXPECT_EQ(list.first->alignment, EXPLOSION);
  EXPECT_EQ(list.first->x, 250.0f);
  EXPECT_EQ(list.first->width, 45);
  EXPECT_EQ(list.first->height, 20);
  EXPECT_EQ(list.first->maxFrame, 240);
  list.healthUpdate(&ship);
  EXPECT_EQ(size(), 1);
  for (int tick = 0; tick < 239; tick++) list.update(1, &ship);
  list.clearDead();
  EXPECT_EQ(size(), 1);
  list.update(1, &ship);
  list.clearDead();
  EXPECT_EQ(list.first, nullptr);
}

TEST_F(EnemyList, DeadEnemiesExplodeDepartedOnesVanish) {
  addStill(ENEMY, 100, 100);
  addStill(ENEMY, -50, 100);  // just outside the kept area
  addStill(POWER_UP, -50, 100, 20, 20, POINTS_500);
  addStill(ENEMY, 369, 289);  // just inside
  addStill(ENEMY, 0, -25);
  list.setHealth(0, 0);
  list.clearDead();
  EXPECT_TRUE(enemyExplodeSoundWaiting);
  std::map<int, int> left = countByAlignment();
  EXPECT_EQ(left[ENEMY], 1);
  EXPECT_EQ(left[EXPLOSION], 1) << "only the dead one explodes";
  EXPECT_LE(left[POWER_UP], 1);
  EXPECT_EQ(list.first->x, 369.0f);
}

TEST_F(EnemyList, DepartingEnemyLeavesNothingBehind) {
  list.addEnemy(DEFAULT_ENEMY, ARC_PIT150, 3.0f, -45, 100, nullptr, ENEMY, 20, 20);
  list.update(2, &ship);
  list.clearDead();
  EXPECT_EQ(list.first, nullptr);
  EXPECT_FALSE(enemyExplodeSoundWaiting);
}

TEST_F(EnemyList, BossShotDownDropsNoPowerUp) {
  int bossDrops = 0, plainDrops = 0;
  for (int round = 0; round < 40; round++) {
    for (int type : {BOSS_1, DEFAULT_ENEMY}) {
      enemyList field;
      field.addEnemy(type, 0.0f, 0.0f, 100, 100, nullptr, ENEMY, 40, 40);
      field.addEnemy(DEFAULT_AVATAR_BULLET, 0.0f, 0.0f, 110, 110, nullptr, PLAYER_1_BULLET, 10, 10);
      field.healthUpdate();
      field.clearDead();
      for (enemy* e = field.first; e != nullptr; e = e->next) {
        if (e->alignment == POWER_UP) (type == BOSS_1 ? bossDrops : plainDrops)++;
      }
    }
  }
  EXPECT_EQ(bossDrops, 0);
  EXPECT_GT(plainDrops, 10) << "the same hits on an ordinary enemy do drop";
}

TEST_F(EnemyList, OnlyEnemiesAndSweepsCount) {
  addStill(ENEMY_BULLET, 10, 30);
  addStill(PLAYER_1_BULLET, 10, 60);
  addStill(EXPLOSION, 10, 90);
  addStill(POWER_UP, 10, 120, 20, 20, POINTS_100);
  EXPECT_EQ(list.enemyCount(), 0);
  addStill(ENEMY, 100, 120);
  addStill(SMART_BOMB, 200, 25);
  EXPECT_EQ(list.enemyCount(), 2);
}

TEST_F(EnemyList, LoneEntryIsNeverHitByItself) {
  addStill(WALL, 100, 100);
  list.healthUpdate();
  EXPECT_EQ(at(0)->health, 1);
  addStill(WALL, 200, 200);
  list.healthUpdate();
  EXPECT_EQ(at(0)->health, 0) << "with a partner present a wall counts every touch";
}

TEST_F(EnemyList, AimedShotsJoinTheWalkAndMoveTheSameFrame) {
  list.addEnemy(DEFAULT_ENEMY, FOLLOW_ACTION_LIST, 1.5f, 100, 100, nullptr, ENEMY, 20, 20);
  list.addAction(0, FIRE_AIMED, 0, 0, 0, 0, 0, 0, 0);
  ship.x = 100;
  ship.y = 200;
  list.update(2, &ship);
  ASSERT_NE(list.first->next, nullptr);
  EXPECT_FLOAT_EQ(list.first->next->y, 106.0f) << "appended shot already moved 2 ticks at 3";
}
