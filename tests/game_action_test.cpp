// Action scripts: directions and velocities of moves, arrival and the snap, and the
// cursor's relative jumps.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/game_action.h"
#include "shell/constants.h"

namespace {
// Runs the script n times on a fixed position and records the durations reported, which
// the tests use to tell the steps apart.
std::vector<int> durationsOfRuns(gameActionList& script, int n) {
  std::vector<int> seen;
  for (int i = 0; i < n; i++) {
    float x = 0.0f, y = 0.0f;
    int ticks = -1;
    script.newXY(x, y, 1, ticks);
    seen.push_back(ticks);
  }
  return seen;
}

void addWaits(gameActionList& script, int lastJump) {
  script.addAction(WAIT, 0, 0, 0, 0, 0, 1, 1);
  script.addAction(WAIT, 0, 0, 0, 0, 0, 1, 2);
  script.addAction(WAIT, 0, 0, 0, 0, 0, lastJump, 3);
}
}  // namespace

TEST(GameAction, MovesGetCompassDirectionAndVelocity) {
  struct row {
    float fX, fY;
    int direction;
  };
  // From (100, 100); screen y grows downward.
  const row rows[] = {{100, 40, NORTH},     {130, 60, NORTH_EAST}, {170, 100, EAST},
                      {130, 140, SOUTH_EAST}, {100, 170, SOUTH},   {40, 130, SOUTH_WEST},
                      {60, 100, WEST},      {40, 60, NORTH_WEST}};
  for (const row& r : rows) {
    gameAction step(MOVE, 100, 100, r.fX, r.fY, 2.5f, 1, 0);
    EXPECT_EQ(step.direction, r.direction);
    const float dx = r.fX - 100, dy = r.fY - 100;
    const float length = std::sqrt(dx * dx + dy * dy);
    EXPECT_NEAR(step.xMultiplier, 2.5f * dx / length, 1e-5) << "direction " << r.direction;
    EXPECT_NEAR(step.yMultiplier, 2.5f * dy / length, 1e-5) << "direction " << r.direction;
  }
  gameAction still(WAIT, 50, 50, 50, 50, 3.0f, 1, 10);
  EXPECT_EQ(still.direction, 0);
  EXPECT_EQ(still.xMultiplier, 0.0f);
  EXPECT_EQ(still.yMultiplier, 0.0f);
}

TEST(GameAction, WestwardMoveTakesTwentySevenTicksAndSnaps) {
  gameActionList script;
  script.addAction(MOVE, 340, 220, 300, 220, 1.5f, 1, 0);
  script.addAction(WAIT, 0, 0, 0, 0, 0, 1, 30);
  EXPECT_EQ(script.first->direction, WEST);
  EXPECT_EQ(script.first->xMultiplier, -1.5f);
  EXPECT_EQ(script.first->yMultiplier, 0.0f);
  float x = 340.0f, y = 220.0f;
  int ticks = -1;
  for (int i = 0; i < 26; i++) EXPECT_EQ(script.newXY(x, y, 1, ticks), MOVE);
  EXPECT_FLOAT_EQ(x, 301.0f);
  EXPECT_EQ(script.current, script.first) << "not there yet";
  EXPECT_EQ(script.newXY(x, y, 1, ticks), MOVE);
  EXPECT_EQ(x, 300.0f);
  EXPECT_EQ(y, 220.0f);
  EXPECT_EQ(script.current, script.first->next) << "the arriving call advances the cursor";
}

TEST(GameAction, OvershootIsDiscardedWhateverTheSteps) {
  gameActionList script;
  script.addAction(MOVE, 340, 220, 300, 220, 1.5f, 1, 0);
  float x = 340.0f, y = 220.0f;
  int ticks = 0;
  for (int i = 0; i < 3; i++) script.newXY(x, y, 10, ticks);  // 340 - 45 passes 300
  EXPECT_EQ(x, 300.0f);
}

TEST(GameAction, DiagonalsArriveByXAlone) {
  gameActionList script;
  script.addAction(MOVE, 0, 0, 30, 40, 5.0f, 1, 0);
  EXPECT_EQ(script.first->direction, SOUTH_EAST);
  EXPECT_NEAR(script.first->xMultiplier, 3.0f, 1e-5);
  EXPECT_NEAR(script.first->yMultiplier, 4.0f, 1e-5);
  float x = 0.0f, y = -100.0f;  // the owner starts far above the start point
  int ticks = 0;
  for (int i = 0; i < 9; i++) script.newXY(x, y, 1, ticks);
  EXPECT_NEAR(x, 27.0f, 1e-4);
  EXPECT_NEAR(y, -64.0f, 1e-4);
  script.newXY(x, y, 1, ticks);
  EXPECT_EQ(x, 30.0f);
  EXPECT_EQ(y, 40.0f) << "snapped although y had not reached the finish";
}

TEST(GameAction, WaitReportsItsDurationAndAdvancesAtOnce) {
  gameActionList script;
  script.addAction(WAIT, 0, 0, 0, 0, 0, 1, 30);
  script.addAction(FIRE_AIMED, 0, 0, 0, 0, 0, 1, 0);
  float x = 12.0f, y = 34.0f;
  int ticks = 0;
  EXPECT_EQ(script.newXY(x, y, 1, ticks), WAIT);
  EXPECT_EQ(ticks, 30);
  EXPECT_EQ(script.current, script.first->next);
  EXPECT_EQ(script.newXY(x, y, 1, ticks), FIRE_AIMED);
  EXPECT_EQ(x, 12.0f);
  EXPECT_EQ(y, 34.0f);
}

TEST(GameAction, NegativeJumpsRepeatTheTail) {
  gameActionList backOne;
  addWaits(backOne, -1);
  EXPECT_EQ(durationsOfRuns(backOne, 7), (std::vector<int>{1, 2, 3, 2, 3, 2, 3}));
  gameActionList backTwo;
  addWaits(backTwo, -2);
  EXPECT_EQ(durationsOfRuns(backTwo, 7), (std::vector<int>{1, 2, 3, 1, 2, 3, 1}));
}

TEST(GameAction, JumpsOffEitherEndStartOver) {
  gameActionList forward;
  addWaits(forward, 1);
  EXPECT_EQ(durationsOfRuns(forward, 3), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(forward.current, nullptr);
  EXPECT_EQ(durationsOfRuns(forward, 2), (std::vector<int>{1, 2}));
  gameActionList backward;
  addWaits(backward, -9);
  EXPECT_EQ(durationsOfRuns(backward, 4), (std::vector<int>{1, 2, 3, 1}));
  gameActionList farAhead;
  farAhead.addAction(WAIT, 0, 0, 0, 0, 0, 5, 1);
  farAhead.addAction(WAIT, 0, 0, 0, 0, 0, 1, 2);
  EXPECT_EQ(durationsOfRuns(farAhead, 3), (std::vector<int>{1, 1, 1}));
}

TEST(GameAction, ZeroJumpHoldsTheStep) {
  gameActionList waits;
  waits.addAction(WAIT, 0, 0, 0, 0, 0, 0, 4);
  waits.addAction(WAIT, 0, 0, 0, 0, 0, 1, 5);
  EXPECT_EQ(durationsOfRuns(waits, 3), (std::vector<int>{4, 4, 4}));
  gameActionList move;
  move.addAction(MOVE, 0, 0, 10, 0, 4.0f, 0, 0);
  float x = 0.0f, y = 0.0f;
  int ticks = 0;
  for (int i = 0; i < 5; i++) move.newXY(x, y, 1, ticks);
  EXPECT_EQ(x, 10.0f) << "snaps back to the finish on every call";
}

TEST(GameAction, EmptyScriptsHomeAndPointMovesGoNowhere) {
  gameActionList empty;
  float x = 5.0f, y = 6.0f;
  int ticks = 99;
  EXPECT_EQ(empty.newXY(x, y, 1, ticks), 0);
  EXPECT_EQ(ticks, 0);
  EXPECT_EQ(x, 5.0f);
  gameActionList home;
  home.addAction(HOME, 0, 0, 50, 50, 1.0f, 1, 7);
  home.addAction(WAIT, 0, 0, 0, 0, 0, 1, 8);
  EXPECT_EQ(durationsOfRuns(home, 3), (std::vector<int>{7, 7, 7}));
  // A move whose start is its finish has no direction and never arrives.
  gameActionList point;
  point.addAction(MOVE, 20, 20, 20, 20, 1.0f, 1, 0);
  x = 20.0f;
  y = 20.0f;
  for (int i = 0; i < 10; i++) EXPECT_EQ(point.newXY(x, y, 1, ticks), MOVE);
  EXPECT_EQ(point.current, point.first);
  EXPECT_EQ(x, 20.0f);
}

TEST(GameAction, AddingKeepsTheCursorAndLinksBothWays) {
  gameActionList script;
  script.addAction(WAIT, 0, 0, 0, 0, 0, 1, 1);
  float x = 0, y = 0;
  int ticks = 0;
  script.newXY(x, y, 1, ticks);  // cursor now on nothing yet added: off the end
  script.addAction(WAIT, 0, 0, 0, 0, 0, 1, 2);
  script.addAction(WAIT, 0, 0, 0, 0, 0, 1, 3);
  EXPECT_EQ(script.first->next->next->previous, script.first->next);
  EXPECT_EQ(script.first->next->previous, script.first);
  EXPECT_EQ(durationsOfRuns(script, 3), (std::vector<int>{1, 2, 3}));
}
