// Action scripts: a move in each compass direction ends on the tick it reaches its finish.
// Their jumps are run by the formations' loops in content/level_design_test.
#include "engine/game_action.h"

#include <gtest/gtest.h>

#include "platform/constants.h"

TEST(ActionScript, AMoveEndsOnTheTickItReachesItsFinishInEveryDirection) {
  const struct {
    float dx, dy, speed;  // the 3-4-5 diagonals cover 4 px across and 3 up or down a tick
    int ticks;
  } rows[] = {{0, -3, 1.5f, 2}, {0, 3, 1.5f, 2}, {3, 0, 1.5f, 2}, {-3, 0, 1.5f, 2},
              {4, -3, 5, 1},    {4, 3, 5, 1},    {-4, 3, 5, 1},   {-4, -3, 5, 1}};
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "move by " << r.dx << ", " << r.dy);
    gameActionList script;
    script.addAction(MOVE, 100, 100, 100 + r.dx, 100 + r.dy, r.speed, 1, 5);
    script.addAction(WAIT, 0, 0, 0, 0, 0, 1, 5);
    float x = 100, y = 100;
    int duration = 0;
    for (int tick = 1; tick < r.ticks; tick++) script.newXY(x, y, 1, duration);
    EXPECT_EQ(script.current, script.first) << "arrived early";
    script.newXY(x, y, 1, duration);
    EXPECT_TRUE(x == 100 + r.dx && y == 100 + r.dy) << "stopped at " << x << ", " << y;
    EXPECT_EQ(script.current, script.first->next) << "not on to the next step";
  }
}
