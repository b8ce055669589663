// Waves executed into a real enemy list: the current index, ally chains, health, and the
// wave list that releases waves one by one and owns what it has not released.
#include <gtest/gtest.h>

#include <vector>

#include "engine/enemy.h"
#include "engine/enemy_list.h"
#include "engine/wave.h"
#include "platform/constants.h"
#include "platform/globals.h"

namespace {

wavelet* enemyAt(int op, int typeId, float x, float y, int width = 45, int height = 20) {
  return new wavelet(op, typeId, static_cast<float>(FOLLOW_ACTION_LIST), ENEMY_SPEED, x, y,
                     nullptr, ENEMY, width, height);
}
wavelet* health(float h) { return new wavelet(0, SET_HEALTH, 0, 0, h, 0, 0, 0, 0, 0, 0); }
wavelet* step(int actionId, float fx, float fy, float speed, int next, int ticks) {
  return new wavelet(0, ADD_ACTION, 0, actionId, 340, 220, fx, fy, speed, next, ticks);
}

std::vector<enemy*> entries(const enemyList& list) {
  std::vector<enemy*> out;
  for (enemy* e = list.first; e != nullptr; e = e->next) out.push_back(e);
  return out;
}
std::vector<gameAction*> stepsOf(const enemy* e) {
  std::vector<gameAction*> out;
  for (gameAction* a = e->actionList.first; a != nullptr; a = a->next) out.push_back(a);
  return out;
}

// A leftover enemy shot, as the list may hold when the next wave is released.
void addLeftoverShot(enemyList& list) {
  list.addEnemy(DEFAULT_ENEMY_BULLET, DTR270, 3.0f, 100, 100, nullptr, ENEMY_BULLET, 10, 10);
}

struct WaveExecution : testing::Test {
  enemyList list;
  void SetUp() override { resetGlobals(); }
};

}  // namespace

TEST_F(WaveExecution, StepsAndHealthGoToTheEnemyAddedLast) {
  addLeftoverShot(list);
  wave w;
  w.append(enemyAt(ADD_ENEMY, DEFAULT_ENEMY, 340, 220));
  w.append(health(4.9f));
  w.append(step(MOVE, 300, 220, 1.5f, 1, 5));
  w.append(enemyAt(ADD_ENEMY, LARGE_ENEMY, 340, 60, 90, 40));
  w.append(health(7));
  w.append(step(WAIT, 340, 220, 1.5f, -1, 120));
  w.append(step(FIRE_AIMED, 340, 220, 2.0f, 1, 5));
  w.execute(&list);

  std::vector<enemy*> all = entries(list);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0]->health, 1) << "the leftover shot is not touched";
  EXPECT_TRUE(stepsOf(all[0]).empty());

  enemy* first = all[1];
  EXPECT_EQ(first->typeId, DEFAULT_ENEMY);
  EXPECT_EQ(first->direction, static_cast<float>(FOLLOW_ACTION_LIST));
  EXPECT_EQ(first->x, 340.0f);
  EXPECT_EQ(first->y, 220.0f);
  EXPECT_EQ(first->alignment, ENEMY);
  EXPECT_EQ(first->health, 4) << "4.9 truncates to 4";
  std::vector<gameAction*> firstSteps = stepsOf(first);
  ASSERT_EQ(firstSteps.size(), 1u);
  EXPECT_EQ(firstSteps[0]->actionId, MOVE);
  EXPECT_EQ(firstSteps[0]->finishX, 300.0f);
  EXPECT_EQ(firstSteps[0]->speed, 1.5f);
  EXPECT_EQ(firstSteps[0]->duration, 5);

  enemy* second = all[2];
  EXPECT_EQ(second->typeId, LARGE_ENEMY);
  EXPECT_EQ(second->width, 90);
  EXPECT_EQ(second->health, 7);
  std::vector<gameAction*> secondSteps = stepsOf(second);
  ASSERT_EQ(secondSteps.size(), 2u);
  EXPECT_EQ(secondSteps[0]->nextAction, -1);
  EXPECT_EQ(secondSteps[0]->duration, 120);
  EXPECT_EQ(secondSteps[1]->actionId, FIRE_AIMED);
  for (const enemy* e : all) EXPECT_EQ(e->nextAlly, nullptr);
}

TEST_F(WaveExecution, AlliedEnemiesFormOneChainInCreationOrder) {
  wave w;
  w.append(enemyAt(ADD_ENEMY, BOSS_2, 340, 25, 90, 40));
  w.append(health(3));
  w.append(enemyAt(ADD_ENEMY_ALLIED, BOSS_2, 340, 200, 90, 40));
  w.append(health(3));
  w.append(step(WAIT, 340, 200, 1.5f, 1, 30));
  w.append(enemyAt(ADD_ENEMY_ALLIED, BOSS_1, 200, 100, 50, 50));
  w.append(health(3));
  w.execute(&list);

  std::vector<enemy*> all = entries(list);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0]->previousAlly, nullptr);
  EXPECT_EQ(all[0]->nextAlly, all[1]);
  EXPECT_EQ(all[1]->previousAlly, all[0]);
  EXPECT_EQ(all[1]->nextAlly, all[2]);
  EXPECT_EQ(all[2]->previousAlly, all[1]);
  EXPECT_EQ(all[2]->nextAlly, nullptr);
  EXPECT_EQ(stepsOf(all[1]).size(), 1u) << "the step follows the member it was written after";
  EXPECT_TRUE(stepsOf(all[2]).empty());

  // A player shot on the last member costs the whole body.
  list.addEnemy(DEFAULT_AVATAR_BULLET, ARC_PIT050, 10.0f, 205, 105, nullptr, PLAYER_1_BULLET,
                10, 10);
  list.healthUpdate();
  for (const enemy* part : all) EXPECT_EQ(part->health, 2);
}

// Wavelets before the wave's first enemy: steps and health act on the first entry (and
// are dropped on an empty list); an allied enemy has no partner and stands alone rather
// than joining a leftover object or, on an empty list, itself.
TEST_F(WaveExecution, WaveNotOpeningWithAnEnemy) {
  wave w;
  w.append(health(6));
  w.append(step(WAIT, 340, 220, 1.5f, 1, 10));
  w.append(enemyAt(ADD_ENEMY_ALLIED, DEFAULT_ENEMY, 340, 100));

  w.execute(&list);
  std::vector<enemy*> alone = entries(list);
  ASSERT_EQ(alone.size(), 1u);
  EXPECT_EQ(alone[0]->health, 1);
  EXPECT_EQ(alone[0]->nextAlly, nullptr);
  EXPECT_EQ(alone[0]->previousAlly, nullptr);

  enemyList withLeftover;
  addLeftoverShot(withLeftover);
  w.execute(&withLeftover);
  std::vector<enemy*> all = entries(withLeftover);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0]->health, 6);
  EXPECT_EQ(stepsOf(all[0]).size(), 1u);
  EXPECT_EQ(all[0]->nextAlly, nullptr);
  EXPECT_EQ(all[1]->previousAlly, nullptr);
}

TEST_F(WaveExecution, WaveListReleasesWavesInOrderThenReportsNoneLeft) {
  waveList waves(&list);
  const int types[] = {DEFAULT_ENEMY, DEFAULT_ENEMY_2};
  for (int type : types) {
    wave* w = new wave();
    w->append(enemyAt(ADD_ENEMY, type, 340, 100));
    waves.append(w);
  }
  wave* odd = new wave();  // an unknown operation is skipped
  odd->append(new wavelet(7, DEFAULT_ENEMY, 0.0f, 1.0f, 10, 10, nullptr, ENEMY, 10, 10));
  waves.append(odd);
  waves.append(new wave());  // an empty wave still counts as a wave

  for (int type : types) {
    ASSERT_TRUE(waves.nextWave());
    EXPECT_EQ(entries(list).back()->typeId, type);
  }
  EXPECT_TRUE(waves.nextWave());
  EXPECT_TRUE(waves.nextWave());
  EXPECT_EQ(entries(list).size(), 2u);
  EXPECT_EQ(list.enemyCount(), 2);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(waves.nextWave());
}

// The sanitizer build reports anything this leaves behind.
TEST_F(WaveExecution, UnreleasedWavesAreFreedWithTheList) {
  waveList* waves = new waveList(&list);
  for (int i = 0; i < 3; ++i) {
    wave* w = new wave();
    w->append(enemyAt(ADD_ENEMY, DEFAULT_ENEMY, 340, 100));
    w->append(health(5));
    w->append(step(WAIT, 340, 220, 1.5f, 1, 10));
    waves->append(w);
  }
  EXPECT_TRUE(waves->nextWave());
  delete waves;
  EXPECT_EQ(entries(list).size(), 1u);
}
