// The formation patterns: the wavelets they write, and their scripts run by real enemies
// (loops landing on the intended steps, one-way formations leaving the screen).
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "content/level_design.h"
#include "engine/avatar.h"
#include "engine/enemy.h"
#include "engine/enemy_list.h"
#include "engine/wave.h"
#include "platform/constants.h"
#include "platform/globals.h"

namespace {

using patternFn = void (*)(wave*, float, int, int);
const patternFn patterns[] = {addPattern1, addPattern2, addPattern3, addPattern4, addPattern5,
                              addPattern6, addPattern7, addPattern8, addPattern9, addPattern10};

// One enemy as the wave records it: its add wavelet, its health and its script.
struct enemyRecord {
  const wavelet* add = nullptr;
  const wavelet* health = nullptr;
  bool healthRightAfterAdd = false;
  std::vector<const wavelet*> steps;
};

std::vector<const wavelet*> waveletsOf(const wave& w) {
  std::vector<const wavelet*> out;
  for (const wavelet* wl = w.first; wl != nullptr; wl = wl->next) out.push_back(wl);
  return out;
}

std::vector<enemyRecord> enemiesOf(const wave& w) {
  std::vector<enemyRecord> out;
  const wavelet* previous = nullptr;
  for (const wavelet* wl : waveletsOf(w)) {
    if (wl->wLActionId == ADD_ENEMY || wl->wLActionId == ADD_ENEMY_ALLIED) {
      out.emplace_back();
      out.back().add = wl;
    } else if (!out.empty() && wl->wLActionId == SET_HEALTH) {
      out.back().health = wl;
      out.back().healthRightAfterAdd = (previous == out.back().add);
    } else if (!out.empty() && wl->wLActionId == ADD_ACTION) {
      out.back().steps.push_back(wl);
    }
    previous = wl;
  }
  return out;
}

std::vector<enemyRecord> build(patternFn pattern, wave& w, float yOffset, int difficulty,
                               int numEms = 4) {
  pattern(&w, yOffset, difficulty, numEms);
  return enemiesOf(w);
}

int countSteps(const enemyRecord& e, int actionId) {
  int n = 0;
  for (const wavelet* s : e.steps) n += (s->wLAId == actionId);
  return n;
}

// Finishing points of the MOVE steps, and the number of FIRE steps after each.
struct leg {
  float x, y;
  int shots;
};
std::vector<leg> legsOf(const enemyRecord& e) {
  std::vector<leg> out;
  for (const wavelet* s : e.steps) {
    if (s->wLAId == MOVE) out.push_back({s->wLFX, s->wLFY, 0});
    else if (s->wLAId == FIRE_AIMED && !out.empty()) ++out.back().shots;
  }
  return out;
}

bool sameWavelet(const wavelet* a, const wavelet* b) {
  return a->wLActionId == b->wLActionId && a->wLTId == b->wLTId && a->wLDir == b->wLDir &&
         a->wLSp == b->wLSp && a->wLX1 == b->wLX1 && a->wLY1 == b->wLY1 && a->wLA == b->wLA &&
         a->wLAl1 == b->wLAl1 && a->wLW1 == b->wLW1 && a->wLH1 == b->wLH1 &&
         a->wLIndex == b->wLIndex && a->wLAId == b->wLAId && a->wLSX == b->wLSX &&
         a->wLSY == b->wLSY && a->wLFX == b->wLFX && a->wLFY == b->wLFY && a->wLNA == b->wLNA &&
         a->wLDur == b->wLDur;
}

}  // namespace

TEST(PatternWavelets, EveryScriptFollowsTheStepConventions) {
  for (int p = 1; p <= 6; ++p) {
    for (int d : {0, 3, 5}) {
      SCOPED_TRACE(testing::Message() << "pattern " << p << " difficulty " << d);
      wave w;
      std::vector<enemyRecord> enemies = build(patterns[p - 1], w, 0, d);
      ASSERT_FALSE(enemies.empty());
      for (const enemyRecord& e : enemies) {
        EXPECT_EQ(e.add->wLDir, static_cast<float>(FOLLOW_ACTION_LIST));
        EXPECT_EQ(e.add->wLSp, ENEMY_SPEED);
        EXPECT_EQ(e.add->wLA, nullptr);
        EXPECT_EQ(e.add->wLAl1, ENEMY);
        ASSERT_NE(e.health, nullptr);
        EXPECT_TRUE(e.healthRightAfterAdd);
        if (p != 3) {
          EXPECT_EQ(e.health->wLSX, static_cast<float>(d + 3));
        }
        ASSERT_FALSE(e.steps.empty());
        float x = e.add->wLX1, y = e.add->wLY1;
        for (size_t i = 0; i < e.steps.size(); ++i) {
          const wavelet* s = e.steps[i];
          EXPECT_EQ(s->wLIndex, 0);
          if (i + 1 < e.steps.size()) {
            EXPECT_EQ(s->wLNA, 1) << "step " << i;
          }
          if (s->wLAId == MOVE) {
            EXPECT_EQ(s->wLSX, x) << "step " << i << " starts where the last move ended";
            EXPECT_EQ(s->wLSY, y) << "step " << i;
            EXPECT_EQ(s->wLSp, 1.5f);
            EXPECT_EQ(s->wLDur, 5);
            x = s->wLFX;
            y = s->wLFY;
          } else if (s->wLAId == FIRE_AIMED) {
            EXPECT_EQ(s->wLSp, 2.0f);
            EXPECT_EQ(s->wLDur, 5);
          } else {
            EXPECT_EQ(s->wLAId, WAIT);
            EXPECT_EQ(s->wLSp, 1.5f);
          }
        }
        const wavelet* last = e.steps.back();
        if (p <= 3) {
          EXPECT_LT(last->wLNA, 0) << "patrols and the boss loop";
        } else {
          EXPECT_EQ(last->wLAId, MOVE);
          EXPECT_LE(last->wLFX, -60.0f) << "one-way formations leave to the left";
          EXPECT_EQ(last->wLNA, 1);
        }
      }
    }
  }
}

TEST(PatternWavelets, PatrolsSetOutInTurnAndFireAtEveryPoint) {
  wave none;
  EXPECT_TRUE(build(addPattern1, none, 0, 3, 0).empty());

  wave w;
  std::vector<enemyRecord> enemies = build(addPattern1, w, 0, 3, 4);
  ASSERT_EQ(enemies.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    const enemyRecord& e = enemies[k];
    EXPECT_EQ(e.add->wLTId, DEFAULT_ENEMY);
    EXPECT_EQ(e.add->wLX1, 340.0f);
    EXPECT_EQ(e.add->wLY1, 220.0f);
    ASSERT_EQ(e.steps[0]->wLAId, WAIT);
    EXPECT_EQ(e.steps[0]->wLDur, 120 * k) << "set out one after another";
    ASSERT_EQ(e.steps.size(), enemies[0].steps.size());
    for (size_t i = 1; i < e.steps.size(); ++i) {
      EXPECT_TRUE(sameWavelet(e.steps[i], enemies[0].steps[i])) << "enemy " << k << " step " << i;
    }
  }
  const float corners[5][2] = {{300, 220}, {20, 220}, {20, 45}, {300, 45}, {300, 220}};
  // The corners hold at most five extra shots, however hard the level.
  for (int d : {3, 5, 6, 9}) {
    wave one;
    std::vector<leg> legs = legsOf(build(addPattern1, one, 0, d, 1)[0]);
    ASSERT_EQ(legs.size(), 5u);
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(legs[i].x, corners[i][0]);
      EXPECT_EQ(legs[i].y, corners[i][1]);
      EXPECT_EQ(legs[i].shots, i < 4 ? std::min(d, 5) + 1 : 0) << "difficulty " << d;
    }
  }

  wave calmWave;
  const enemyRecord calm = build(addPattern2, calmWave, 0, 0, 1)[0];
  EXPECT_EQ(countSteps(calm, FIRE_AIMED), 0);
  EXPECT_EQ(calm.steps.back()->wLNA, -4) << "WAIT 0 back to the move to (20,45)";

  wave crossWave;
  const enemyRecord cross = build(addPattern2, crossWave, 0, 3, 1)[0];
  EXPECT_EQ(cross.add->wLTId, DEFAULT_ENEMY_2);
  EXPECT_EQ(cross.add->wLY1, 0.0f);
  const float points[5][2] = {{20, 220}, {20, 45}, {300, 220}, {300, 45}, {20, 220}};
  std::vector<leg> legs = legsOf(cross);
  ASSERT_EQ(legs.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(legs[i].x, points[i][0]);
    EXPECT_EQ(legs[i].y, points[i][1]);
    EXPECT_EQ(legs[i].shots, 3);
  }
  // At each point the pauses before the shots grow: 0, 30, 60 ticks.
  int shot = 0;
  for (size_t i = 1; i < cross.steps.size(); ++i) {
    if (cross.steps[i]->wLAId != FIRE_AIMED) continue;
    EXPECT_EQ(cross.steps[i - 1]->wLDur, 30 * (shot % 3)) << "shot " << shot;
    ++shot;
  }
  EXPECT_EQ(shot, 15);
}

TEST(PatternWavelets, BossPartsAndHealthTable) {
  const int expected[] = {500, 600, 700, 800, 900, 1000, 1200, 1300, 1400, 1500};
  for (int d = -2; d <= 11; ++d) {
    wave w;
    std::vector<enemyRecord> parts = build(addPattern3, w, 0, d);
    ASSERT_EQ(parts.size(), 3u);
    int h = (d >= 0 && d <= 9) ? expected[d] : 1;
    for (const enemyRecord& part : parts)
      EXPECT_EQ(part.health->wLSX, static_cast<float>(h)) << "difficulty " << d;
  }

  wave w;
  std::vector<enemyRecord> parts = build(addPattern3, w, 0, 3, 7);
  ASSERT_EQ(parts.size(), 3u) << "the boss ignores numEms";
  const int ops[] = {ADD_ENEMY, ADD_ENEMY_ALLIED, ADD_ENEMY_ALLIED};
  const int types[] = {BOSS_2, BOSS_2, BOSS_1};
  const int heights[] = {40, 40, 215};
  const float startYs[] = {25, 200, 25};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(parts[i].add->wLActionId, ops[i]);
    EXPECT_EQ(parts[i].add->wLTId, types[i]);
    EXPECT_EQ(parts[i].add->wLH1, heights[i]);
    EXPECT_EQ(parts[i].add->wLY1, startYs[i]);
  }
  for (int arm = 0; arm < 2; ++arm) {
    EXPECT_EQ(countSteps(parts[arm], FIRE_AIMED), 8) << "four shots at each end";
  }
  EXPECT_EQ(countSteps(parts[2], FIRE_AIMED), 3) << "the body fires d times";
}

TEST(PatternWavelets, VerticalOffsetMovesOnlyTheHeavyTheSwoopAndTheLine) {
  for (int p = 1; p <= 6; ++p) {
    SCOPED_TRACE(testing::Message() << "pattern " << p);
    wave plain, shifted;
    patterns[p - 1](&plain, 0, 3, 2);
    patterns[p - 1](&shifted, 100, 3, 2);
    std::vector<const wavelet*> a = waveletsOf(plain), b = waveletsOf(shifted);
    ASSERT_EQ(a.size(), b.size());
    const float shift = p >= 4 ? 100.0f : 0.0f;
    for (size_t i = 0; i < a.size(); ++i) {
      wavelet expected = *a[i];
      if (expected.wLActionId == ADD_ACTION) {
        expected.wLSY += shift;
        expected.wLFY += shift;
      } else if (expected.wLActionId != SET_HEALTH) {
        expected.wLY1 += shift;
      }
      EXPECT_TRUE(sameWavelet(&expected, b[i])) << "wavelet " << i;
    }
  }
  wave heavy;
  const enemyRecord e = build(addPattern4, heavy, 150, 0)[0];
  EXPECT_EQ(e.add->wLTId, LARGE_ENEMY);
  EXPECT_EQ(e.add->wLX1, 340.0f);
  EXPECT_EQ(e.add->wLY1, 175.0f);
}

TEST(PatternWavelets, SwoopAndLineReleaseThreeEnemies60TicksApart) {
  wave swoop;
  std::vector<enemyRecord> swoopers = build(addPattern5, swoop, 0, 0, 9);
  ASSERT_EQ(swoopers.size(), 3u);
  for (int k = 0; k < 3; ++k) {
    const enemyRecord& e = swoopers[k];
    EXPECT_EQ(e.add->wLTId, DEFAULT_ENEMY_3);
    EXPECT_EQ(e.add->wLY1, 225.0f);
    EXPECT_EQ(countSteps(e, WAIT), k > 0 ? 1 : 0);
    if (k > 0) {
      EXPECT_EQ(e.steps[0]->wLDur, 60 * k);
    }
    std::vector<leg> legs = legsOf(e);
    ASSERT_EQ(legs.size(), 19u);
    for (const leg& l : legs) {
      bool firingPoint = (l.x == 250 && l.y == 65) || (l.x == 120 && l.y == 205);
      EXPECT_EQ(l.shots, firingPoint ? 1 : 0) << l.x << "," << l.y;
    }
    EXPECT_EQ(legs.back().x, -60.0f);
    EXPECT_EQ(legs.back().y, -5.0f);
  }

  wave lines;
  addPattern6(&lines, 0, 0, 1);
  addPattern6(&lines, 100, 0, 1);
  std::vector<enemyRecord> liners = enemiesOf(lines);
  ASSERT_EQ(liners.size(), 6u);
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(liners[k].add->wLTId, DEFAULT_ENEMY_4);
    EXPECT_EQ(liners[k].add->wLY1, k < 3 ? 25.0f : 125.0f);
    EXPECT_EQ(countSteps(liners[k], FIRE_AIMED), 2);
    EXPECT_EQ(legsOf(liners[k]).size(), 3u);
    if (k % 3 > 0) {
      EXPECT_EQ(liners[k].steps[0]->wLDur, 60 * (k % 3));
    }
  }
}

TEST(PatternWavelets, SpareSlotsAppendNothing) {
  wave w;
  addPattern6(&w, 0, 0, 4);
  size_t before = waveletsOf(w).size();
  for (int p = 7; p <= 10; ++p) patterns[p - 1](&w, 10, 3, 4);
  EXPECT_EQ(waveletsOf(w).size(), before);
}

// ---- Scripts run by real enemies ----

namespace {

struct PatternScripts : testing::Test {
  avatar* ship = nullptr;
  void SetUp() override {
    resetGlobals();
    ship = new avatar(DEFAULT_AVATAR, 0.0f, 2.0f, 10, 130, 45, 20, 10);
  }
  void TearDown() override { delete ship; }
};

// Releases one wave holding the pattern into `list`, as the level loop does.
std::vector<enemy*> release(enemyList& list, patternFn pattern, float yOffset, int difficulty,
                            int numEms) {
  waveList waves(&list);
  wave* w = new wave();
  pattern(w, yOffset, difficulty, numEms);
  waves.append(w);
  EXPECT_TRUE(waves.nextWave());
  std::vector<enemy*> out;
  for (enemy* e = list.first; e != nullptr; e = e->next) out.push_back(e);
  return out;
}

gameAction* lastStepOf(enemy* e) {
  gameAction* a = e->actionList.first;
  while (a != nullptr && a->next != nullptr) a = a->next;
  return a;
}

// Where a looping script goes on after its last step: the step that runs next and the
// point the enemy stands on when it does. Steps the enemy one tick at a time.
struct landing {
  gameAction* step = nullptr;
  float x = 0, y = 0;
};

landing runThroughLoopJump(enemy* e, avatar* ship) {
  gameAction* last = lastStepOf(e);
  bool lastFinished = false;
  for (int tick = 0; tick < 20000; ++tick) {
    gameAction* about = nullptr;  // the step this update runs, if not waiting
    if (e->timer <= 0)
      about = e->actionList.current != nullptr ? e->actionList.current : e->actionList.first;
    float x = e->x, y = e->y;
    e->update(1, ship);
    if (about == nullptr) continue;
    if (lastFinished && about != last) return {about, x, y};
    if (about == last && e->actionList.current != last) lastFinished = true;
  }
  return {};
}

template <typename Pred>
gameAction* firstStep(enemy* e, Pred matches) {
  for (gameAction* a = e->actionList.first; a != nullptr; a = a->next)
    if (matches(a)) return a;
  return nullptr;
}

}  // namespace

TEST_F(PatternScripts, RectanglePatrolCirclesBackToItsFirstShot) {
  for (int d : {0, 1, 3, 5, 6, 9}) {
    SCOPED_TRACE(testing::Message() << "difficulty " << d);
    enemyList list;
    std::vector<enemy*> enemies = release(list, addPattern1, 0, d, 2);
    ASSERT_EQ(enemies.size(), 2u);
    enemy* e = enemies[1];
    EXPECT_EQ(e->health, d + 3);
    gameAction* firstShot =
        firstStep(e, [](gameAction* a) { return a->actionId == FIRE_AIMED; });
    ASSERT_NE(firstShot, nullptr);
    ASSERT_EQ(firstShot->previous->actionId, MOVE);
    EXPECT_EQ(firstShot->previous->finishX, 300.0f);
    EXPECT_EQ(firstShot->previous->finishY, 220.0f);
    for (int lap = 0; lap < 2; ++lap) {
      landing l = runThroughLoopJump(e, ship);
      EXPECT_EQ(l.step, firstShot) << "lap " << lap;
      EXPECT_EQ(l.x, 300.0f);
      EXPECT_EQ(l.y, 220.0f);
    }
  }
}

TEST_F(PatternScripts, CrossingPatrolFliesTheFigureFromTheSecondPoint) {
  for (int d : {0, 1, 3, 6}) {
    SCOPED_TRACE(testing::Message() << "difficulty " << d);
    enemyList list;
    enemy* e = release(list, addPattern2, 0, d, 1)[0];
    gameAction* toSecondPoint = firstStep(e, [](gameAction* a) {
      return a->actionId == MOVE && a->finishX == 20 && a->finishY == 45;
    });
    ASSERT_NE(toSecondPoint, nullptr);
    for (int lap = 0; lap < 2; ++lap) {
      landing l = runThroughLoopJump(e, ship);
      EXPECT_EQ(l.step, toSecondPoint) << "lap " << lap;
      EXPECT_EQ(l.x, 20.0f);
      EXPECT_EQ(l.y, 220.0f);
    }
  }
}

TEST_F(PatternScripts, BossPartsLoopOnTheirFirstPause) {
  for (int d : {0, 3, 4, 10}) {
    SCOPED_TRACE(testing::Message() << "difficulty " << d);
    enemyList list;
    std::vector<enemy*> parts = release(list, addPattern3, 0, d, 4);
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0]->nextAlly, parts[1]);
    EXPECT_EQ(parts[1]->nextAlly, parts[2]);
    EXPECT_EQ(parts[2]->previousAlly, parts[1]);
    const float armStops[2] = {25, 200};
    for (int arm = 0; arm < 2; ++arm) {
      gameAction* firstPause = firstStep(
          parts[arm], [](gameAction* a) { return a->actionId == WAIT && a->duration == 120; });
      ASSERT_NE(firstPause, nullptr);
      for (int lap = 0; lap < 2; ++lap) {
        landing l = runThroughLoopJump(parts[arm], ship);
        EXPECT_EQ(l.step, firstPause) << "arm " << arm << " lap " << lap;
        EXPECT_EQ(l.x, 180.0f);
        EXPECT_EQ(l.y, armStops[arm]);
      }
    }
    gameAction* bodyPause =
        firstStep(parts[2], [](gameAction* a) { return a->actionId == WAIT && a->duration == 5; });
    ASSERT_NE(bodyPause, nullptr);
    for (int lap = 0; lap < 2; ++lap) {
      landing l = runThroughLoopJump(parts[2], ship);
      EXPECT_EQ(l.step, bodyPause) << "body lap " << lap;
      EXPECT_EQ(l.x, 270.0f);
      EXPECT_EQ(l.y, 25.0f);
    }
  }
}

// Formations without a loop fly off to the left and are dropped by the list, so the
// wave ends without a shot fired at them.
TEST_F(PatternScripts, OneWayFormationsLeaveTheScreen) {
  for (int p : {4, 5, 6}) {
    for (float yOffset : {0.0f, 30.0f}) {
      SCOPED_TRACE(testing::Message() << "pattern " << p << " yOffset " << yOffset);
      enemyList list;
      release(list, patterns[p - 1], yOffset, 3, 4);
      ASSERT_EQ(list.enemyCount(), p == 4 ? 1 : 3);
      int ticks = 0;
      while (list.enemyCount() > 0 && ticks < 5000) {
        list.update(1, ship);
        list.clearDead();
        ++ticks;
      }
      EXPECT_EQ(list.enemyCount(), 0);
      EXPECT_GT(ticks, 200) << "they take their time crossing";
      EXPECT_LT(ticks, 5000);
      EXPECT_FALSE(enemyExplodeSoundWaiting) << "nobody was shot down";
    }
  }
}
