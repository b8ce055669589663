// Action scripts: directions and velocities of moves, and the cursor's relative jumps.
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

TEST(GameAction, NegativeJumpsRepeatTheTail) {
  gameActionList backOne;
  addWaits(backOne, -1);
  EXPECT_EQ(durationsOfRuns(backOne, 7), (std::vector<int>{1, 2, 3, 2, 3, 2, 3}));
  gameActionList backTwo;
  addWaits(backTwo, -2);
  EXPECT_EQ(durationsOfRuns(backTwo, 7), (std::vector<int>{1, 2, 3, 1, 2, 3, 1}));
}
