// Scripted objects: straight-line headings, animation and explosions, scripts with waits,
// aimed shots and the death effect.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "engine/avatar.h"
#include "engine/enemy.h"
#include "engine/enemy_list.h"
#include "engine/random.h"
#include "shell/constants.h"
#include "shell/globals.h"

namespace {
struct Enemy : testing::Test {
  void SetUp() override {
    resetGlobals();
    seedRandom(7);
  }
  avatar ship{DEFAULT_AVATAR, 0.0f, 2.0f, 10.0f, 10.0f, 45, 20, 7};
};

// Everything appended after an entry, as a count per alignment.
std::map<int, int> appendedAfter(enemy* en) {
  std::map<int, int> counts;
  for (enemy* e = en->next; e != nullptr; e = e->next) counts[e->alignment]++;
  return counts;
}
}  // namespace

TEST_F(Enemy, AxisHeadingsAreExact) {
  enemy up(DEFAULT_ENEMY, 0.0f, 2.0f, 100, 100, nullptr, ENEMY, 10, 10);
  enemy right(DEFAULT_ENEMY, DTR90, 2.0f, 100, 100, nullptr, ENEMY, 10, 10);
  enemy down(DEFAULT_ENEMY, ARC_PI, 2.0f, 100, 100, nullptr, ENEMY, 10, 10);
  EXPECT_EQ(up.xIncrement, 0.0f);
  EXPECT_EQ(up.yIncrement, -2.0f);
  EXPECT_EQ(right.xIncrement, 2.0f);
  EXPECT_EQ(right.yIncrement, 0.0f);
  EXPECT_EQ(down.xIncrement, 0.0f);
  EXPECT_EQ(down.yIncrement, 2.0f);
  down.update(3, &ship);
  EXPECT_EQ(down.x, 100.0f);
  EXPECT_EQ(down.y, 106.0f);
}

TEST_F(Enemy, EveryQuadrantHeadsClockwiseFromUp) {
  // The game's pi of 3.1415 keeps every heading within a thousandth of the true one.
  const float s = 4.0f;
  for (float d = 0.05f; d < 6.28f; d += 0.1f) {
    enemy e(DEFAULT_ENEMY, d, s, 0, 0, nullptr, ENEMY, 10, 10);
    EXPECT_NEAR(e.xIncrement, s * std::sin(d), 2e-3) << d;
    EXPECT_NEAR(e.yIncrement, -s * std::cos(d), 2e-3) << d;
  }
}

TEST_F(Enemy, HeadingsOutsideOneTurnStandStill) {
  for (float d : {-0.5f, 6.283f, 7.0f, -2.0f}) {
    enemy e(DEFAULT_ENEMY, d, 3.0f, 50, 60, nullptr, ENEMY, 10, 10);
    e.update(5, &ship);
    EXPECT_EQ(e.x, 50.0f) << d;
    EXPECT_EQ(e.y, 60.0f) << d;
  }
}

TEST_F(Enemy, ScriptedEnemyWithoutStepsNeverMoves) {
  enemy e(DEFAULT_ENEMY, FOLLOW_ACTION_LIST, 1.5f, 50, 60, nullptr, ENEMY, 10, 10);
  for (int i = 0; i < 20; i++) e.update(10, &ship);
  EXPECT_EQ(e.x, 50.0f);
  EXPECT_EQ(e.y, 60.0f);
}

TEST_F(Enemy, StillEnemyBulletDiesButAStillPlayerShotDoesNot) {
  enemy stuck(DEFAULT_ENEMY_BULLET, 1.0f, 0.0f, 50, 60, nullptr, ENEMY_BULLET, 10, 10);
  stuck.update(1, &ship);
  EXPECT_EQ(stuck.health, 0);
  enemy shot(DEFAULT_AVATAR_BULLET, DTR90, 0.0f, 319.9f, 60, nullptr, PLAYER_1_BULLET, 10, 10);
  shot.update(1, &ship);
  EXPECT_EQ(shot.health, 1);
  shot.x = 320.0f;
  shot.update(1, &ship);
  EXPECT_EQ(shot.health, 0) << "a player shot dies on leaving the screen";
  enemy high(DEFAULT_AVATAR_BULLET, 0.0f, 10.0f, 100, 30, nullptr, PLAYER_1_BULLET, 10, 10);
  high.update(1, &ship);
  EXPECT_EQ(high.health, 1);
  high.update(1, &ship);
  EXPECT_EQ(high.health, 0);
}

TEST_F(Enemy, ExplosionLivesOneCycleWithoutMoving) {
  enemy blast(DEFAULT_EXPLOSION_0, DTR90, 3.0f, 80, 90, nullptr, EXPLOSION, 20, 20);
  blast.setMaxFrame(50);
  for (int i = 0; i < 49; i++) blast.update(1, &ship);
  EXPECT_EQ(blast.health, 1);
  EXPECT_EQ(blast.x, 80.0f);
  blast.update(1, &ship);
  EXPECT_EQ(blast.health, 0);
  EXPECT_EQ(blast.frame, 0);
}

TEST_F(Enemy, FrameCountsComeFromTheType) {
  EXPECT_EQ(enemy(DEFAULT_ENEMY, 0, 0, 0, 0, nullptr, ENEMY, 1, 1).maxFrame, 20);
  EXPECT_EQ(enemy(BOSS_2, 0, 0, 0, 0, nullptr, ENEMY, 1, 1).maxFrame, 32);
  EXPECT_EQ(enemy(POINTS_500, 0, 0, 0, 0, nullptr, POWER_UP, 1, 1).maxFrame, 17);
  EXPECT_EQ(enemy(EXTRA_BOMB, 0, 0, 0, 0, nullptr, POWER_UP, 1, 1).maxFrame, -1);
  enemy plain(BOSS_1, 0, 0, 0, 0, nullptr, ENEMY, 1, 1);
  for (int i = 0; i < 199; i++) plain.update(10, &ship);
  EXPECT_EQ(plain.frame, 1990);
  plain.update(10, &ship);
  EXPECT_EQ(plain.frame, 0) << "a free-running counter wraps past 1999";
  enemy looping(DEFAULT_ENEMY_3, 0, 0, 0, 0, nullptr, ENEMY, 1, 1);
  looping.update(3, &ship);
  looping.update(3, &ship);
  EXPECT_EQ(looping.frame, 0);
  EXPECT_EQ(looping.health, 1) << "only explosions die with their animation";
}

TEST_F(Enemy, WaitHoldsStillForItsTicks) {
  enemy e(DEFAULT_ENEMY, FOLLOW_ACTION_LIST, 1.5f, 100, 100, nullptr, ENEMY, 10, 10);
  e.addAction(WAIT, 0, 0, 0, 0, 0, 1, 5);
  e.addAction(MOVE, 100, 100, 200, 100, 2.0f, 1, 0);
  e.update(2, &ship);  // runs the wait step
  EXPECT_EQ(e.timer, 5);
  e.update(2, &ship);
  e.update(2, &ship);
  EXPECT_EQ(e.x, 100.0f);
  e.update(2, &ship);  // timer 1 > 0: still waiting
  EXPECT_EQ(e.x, 100.0f);
  EXPECT_LE(e.timer, 0);
  e.update(2, &ship);
  EXPECT_EQ(e.x, 104.0f);
}

TEST_F(Enemy, WhiteFlashLastsOneUpdate) {
  enemy e(LARGE_ENEMY, ARC_PI, 1.0f, 100, 100, nullptr, ENEMY, 10, 10);
  e.turnWhite();
  EXPECT_EQ(e.typeId, LARGE_ENEMY_WHITE);
  e.update(1, &ship);
  EXPECT_EQ(e.typeId, LARGE_ENEMY);
  EXPECT_FALSE(e.isWhite);
}

TEST_F(Enemy, SmartBombImmunityCountsDownToZero) {
  enemy e(DEFAULT_ENEMY, 0.0f, 0.0f, 100, 100, nullptr, ENEMY, 10, 10);
  e.smartInvTimer = 5;
  e.update(3, &ship);
  EXPECT_EQ(e.smartInvTimer, 2);
  e.update(3, &ship);
  EXPECT_EQ(e.smartInvTimer, 0);
}

TEST_F(Enemy, AimedShotsFlyTowardsTheShip) {
  struct row {
    float ax, ay, bearing;  // bearing < 0: not an exact axis value, only checked by flight
  };
  const row rows[] = {
      {100, 150, ARC_PI}, {100, 40, 0.0f},   {30, 100, DTR270}, {170, 100, DTR90},
      {40, 180, -1},      {160, 170, -1},    {190, 60, -1},     {20, 30, -1},
      {100, 100, ARC_PI},  // the same point counts as straight below
  };
  for (const row& r : rows) {
    enemyList list;
    list.addEnemy(DEFAULT_ENEMY, FOLLOW_ACTION_LIST, 1.5f, 100, 100, nullptr, ENEMY, 20, 20);
    list.addAction(0, FIRE_AIMED, 0, 0, 0, 0, 0, 1, 0);
    ship.x = r.ax;
    ship.y = r.ay;
    enemyGunSoundWaiting = false;
    list.first->update(1, &ship);
    enemy* bullet = list.first->next;
    ASSERT_NE(bullet, nullptr);
    EXPECT_TRUE(enemyGunSoundWaiting);
    EXPECT_EQ(bullet->alignment, ENEMY_BULLET);
    EXPECT_EQ(bullet->x, 100.0f);
    EXPECT_EQ(bullet->y, 100.0f);
    if (r.bearing >= 0) {
      EXPECT_EQ(bullet->direction, r.bearing) << r.ax << "," << r.ay;
    }
    const float dx = r.ax - 100, dy = r.ay - 100;
    const float distance = std::sqrt(dx * dx + dy * dy);
    if (distance == 0) continue;
    // After flying the distance, the bullet is where the ship was when it fired.
    const float ticks = distance / 3.0f;
    EXPECT_NEAR(100 + ticks * bullet->xIncrement, r.ax, 0.01) << r.ax << "," << r.ay;
    EXPECT_NEAR(100 + ticks * bullet->yIncrement, r.ay, 0.01) << r.ax << "," << r.ay;
  }
}

TEST_F(Enemy, DeathLeavesAnExplosionAndSometimesAPowerUp) {
  std::map<int, int> drops;
  int deaths = 600;
  for (int i = 0; i < deaths; i++) {
    enemyList list;
    list.addEnemy(DEFAULT_ENEMY_2, 0.0f, 0.0f, 120, 130, nullptr, ENEMY, 30, 25);
    enemyExplodeSoundWaiting = false;
    list.first->lastAction();
    EXPECT_TRUE(enemyExplodeSoundWaiting);
    enemy* blast = list.first->next;
    ASSERT_NE(blast, nullptr);
    EXPECT_EQ(blast->alignment, EXPLOSION);
    EXPECT_EQ(blast->maxFrame, 50);
    EXPECT_EQ(blast->width, 30);
    EXPECT_EQ(blast->height, 25);
    enemy* drop = blast->next;
    if (drop == nullptr) continue;
    EXPECT_EQ(drop->alignment, POWER_UP);
    EXPECT_EQ(drop->x, 120.0f);
    EXPECT_LT(drop->xIncrement, 0.0f) << "power-ups drift left";
    drops[drop->typeId]++;
  }
  EXPECT_EQ(drops.count(EXTRA_BOMB), 0u);
  EXPECT_LE(drops.size(), 4u);
  int dropped = 0;
  for (int kind : {EXTRA_LIFE, POINTS_500, POINTS_100, FIRE_POWER}) {
    EXPECT_GT(drops[kind], 60) << kind;  // about 100 each
    dropped += drops[kind];
  }
  EXPECT_NEAR(dropped / static_cast<double>(deaths), 4.0 / 6.0, 0.07);
}

TEST_F(Enemy, BossesDropNothingEvenWhileFlashing) {
  for (int i = 0; i < 100; i++) {
    enemyList list;
    list.addEnemy(i % 2 ? BOSS_1 : BOSS_2, 0.0f, 0.0f, 120, 130, nullptr, ENEMY, 50, 60);
    list.first->turnWhite();  // shot down: the hit left it showing its white twin
    list.first->lastAction();
    EXPECT_EQ(appendedAfter(list.first), (std::map<int, int>{{EXPLOSION, 1}}));
  }
}

TEST_F(Enemy, OnlyEnemiesHaveADeathEffect) {
  for (int align : {ENEMY_BULLET, PLAYER_1_BULLET, POWER_UP, EXPLOSION, SMART_BOMB, WALL}) {
    enemyList list;
    list.addEnemy(DEFAULT_ENEMY, 0.0f, 0.0f, 120, 130, nullptr, align, 10, 10);
    list.first->lastAction();
    EXPECT_EQ(list.first->next, nullptr) << align;
    EXPECT_FALSE(enemyExplodeSoundWaiting);
  }
}
