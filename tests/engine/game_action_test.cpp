// Action scripts: directions and velocities of moves, arrival and the snap, and the
// cursor's relative jumps.
#include "engine/game_action.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/constants.h"

namespace {
// Runs the script n times and records the durations reported, which tell the steps apart.
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

TEST(GameAction, MovesHeadFromStartToFinishAtTheirSpeed) {
  const struct {
    float fX, fY;
    int direction;
  } rows[] = {{100, 40, NORTH},  {130, 60, NORTH_EAST}, {170, 100, EAST}, {130, 140, SOUTH_EAST},
              {100, 170, SOUTH}, {40, 130, SOUTH_WEST}, {60, 100, WEST},  {40, 60, NORTH_WEST}};
  for (const auto& r : rows) {
    gameAction step(MOVE, 100, 100, r.fX, r.fY, 2.5f, 1, 0);
    EXPECT_EQ(step.direction, r.direction);
    const float dx = r.fX - 100, dy = r.fY - 100;
    const float length = std::sqrt(dx * dx + dy * dy);
    EXPECT_NEAR(step.xMultiplier, 2.5f * dx / length, 1e-5) << r.direction;
    EXPECT_NEAR(step.yMultiplier, 2.5f * dy / length, 1e-5) << r.direction;
  }
}

TEST(GameAction, WestwardMoveTakesTwentySevenTicksAndSnaps) {
  gameActionList script;
  script.addAction(MOVE, 340, 220, 300, 220, 1.5f, 1, 0);
  script.addAction(WAIT, 0, 0, 0, 0, 0, 1, 30);
  float x = 340.0f, y = 220.0f;
  int ticks = -1;
  for (int i = 0; i < 26; i++) EXPECT_EQ(script.newXY(x, y, 1, ticks), MOVE);
  EXPECT_FLOAT_EQ(x, 301.0f);
  EXPECT_EQ(script.current, script.first) << "not there yet";
  EXPECT_EQ(script.newXY(x, y, 1, ticks), MOVE);
  EXPECT_EQ(x, 300.0f);
  EXPECT_EQ(y, 220.0f);
  EXPECT_EQ(script.current, script.first->next) << "the arriving call advances the cursor";
  EXPECT_EQ(script.newXY(x, y, 1, ticks), WAIT);
  EXPECT_EQ(ticks, 30);
}

TEST(GameAction, DiagonalsArriveByXAlone) {
  gameActionList script;
  script.addAction(MOVE, 0, 0, 30, 40, 5.0f, 1, 0);
  float x = 0.0f, y = -100.0f;  // the owner starts far above the start point
  int ticks = 0;
  for (int i = 0; i < 9; i++) script.newXY(x, y, 1, ticks);
  EXPECT_NEAR(y, -64.0f, 1e-4);
  script.newXY(x, y, 1, ticks);
  EXPECT_EQ(x, 30.0f);
  EXPECT_EQ(y, 40.0f) << "snapped although y had not reached the finish";
}

TEST(GameAction, NegativeJumpsRepeatTheTail) {
  gameActionList backOne;
  addWaits(backOne, -1);
  EXPECT_EQ(durationsOfRuns(backOne, 7), (std::vector<int>{1, 2, 3, 2, 3, 2, 3}));
  gameActionList backTwo;
  addWaits(backTwo, -2);
  EXPECT_EQ(durationsOfRuns(backTwo, 7), (std::vector<int>{1, 2, 3, 1, 2, 3, 1}));
}

TEST(GameAction, JumpsOffEitherEndStartOverAndZeroStays) {
  gameActionList forward;
  addWaits(forward, 1);
  EXPECT_EQ(durationsOfRuns(forward, 5), (std::vector<int>{1, 2, 3, 1, 2}));
  gameActionList backward;
  addWaits(backward, -9);
  EXPECT_EQ(durationsOfRuns(backward, 4), (std::vector<int>{1, 2, 3, 1}));
  gameActionList held;
  held.addAction(WAIT, 0, 0, 0, 0, 0, 0, 4);
  held.addAction(WAIT, 0, 0, 0, 0, 0, 1, 5);
  EXPECT_EQ(durationsOfRuns(held, 3), (std::vector<int>{4, 4, 4}));
}

TEST(GameAction, EmptyScriptsHomeStepsAndPointMovesGoNowhere) {
  gameActionList empty;
  float x = 20.0f, y = 20.0f;
  int ticks = 99;
  EXPECT_EQ(empty.newXY(x, y, 1, ticks), 0);
  EXPECT_EQ(ticks, 0);
  gameActionList home;
  home.addAction(HOME, 0, 0, 50, 50, 1.0f, 1, 7);
  home.addAction(WAIT, 0, 0, 0, 0, 0, 1, 8);
  EXPECT_EQ(durationsOfRuns(home, 3), (std::vector<int>{7, 7, 7}));
  // A move whose start is its finish has no direction and never arrives.
  gameActionList point;
  point.addAction(MOVE, 20, 20, 20, 20, 1.0f, 1, 0);
  for (int i = 0; i < 10; i++) EXPECT_EQ(point.newXY(x, y, 1, ticks), MOVE);
  EXPECT_EQ(point.current, point.first);
  EXPECT_EQ(x, 20.0f);
  EXPECT_EQ(y, 20.0f);
}
