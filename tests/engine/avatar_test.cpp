// The player's ship driven through the real event queue: firing, movement, pause,
// power-ups, hits and death.
#include "engine/avatar.h"

#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/constants.h"
#include "platform/globals.h"
#include "tests/support/headless.h"

namespace {
struct Ship : testing::Test {
  static void SetUpTestSuite() { openHeadlessDisplay(); }
  static void TearDownTestSuite() { closeHeadlessDisplay(); }
  void SetUp() override {
    resetGlobals();
    drainEvents();
    ship.setMaxFrame(6);
    ship.setHealth(3);
  }
  // As the level builds it: 45 by 20, speed 2, a volley every 7 ticks.
  avatar ship{DEFAULT_AVATAR, 0.0f, 2.0f, 100.0f, 100.0f, 45, 20, 7};
};
}  // namespace

TEST_F(Ship, FireButtonsPickTheDirectionFirstRowWins) {
  const struct {
    SDLKey first, second;  // one key held alone is given twice
    int direction;
  } rows[] = {
      {SDLK_w, SDLK_a, NORTH_WEST}, {SDLK_w, SDLK_s, NORTH},      {SDLK_a, SDLK_d, EAST},
      {SDLK_a, SDLK_s, SOUTH_WEST}, {SDLK_d, SDLK_w, NORTH_EAST}, {SDLK_d, SDLK_s, SOUTH_EAST},
      {SDLK_s, SDLK_s, SOUTH},      {SDLK_a, SDLK_a, WEST},       {SDLK_w, SDLK_w, NORTH}};
  for (const auto& r : rows) {
    for (SDLKey key : {r.first, r.second}) pushKey(key, true);
    ship.update(1);
    EXPECT_EQ(ship.getBulletDirection(), r.direction);
    for (SDLKey key : {r.first, r.second}) pushKey(key, false);
    ship.update(1);
    EXPECT_EQ(ship.getBulletDirection(), r.direction) << "nothing held keeps the direction";
  }
  pushJoyButton(12, true);  // A and Y on the handheld
  pushJoyButton(14, true);
  ship.update(1);
  EXPECT_EQ(ship.getBulletDirection(), NORTH_WEST);
}

TEST_F(Ship, VolleysComeNoFasterThanTheInterval) {
  ship.firePower = 2;
  pushKey(SDLK_d, true);
  std::vector<int> volleyTicks;
  for (int tick = 1; tick <= 22; tick++) {
    ship.update(1);
    if (ship.isFiring(0)) volleyTicks.push_back(tick);
    EXPECT_EQ(ship.isFiring(1), volleyTicks.size() > 0 && volleyTicks.back() == tick);
    EXPECT_FALSE(ship.isFiring(2)) << "two guns at fire power 2";
  }
  EXPECT_EQ(volleyTicks, (std::vector<int>{7, 14, 21}));
  // A fresh press of "a" or of button 12 makes the very next update fire.
  pushKey(SDLK_d, false);
  pushKey(SDLK_a, true);
  ship.update(1);
  EXPECT_TRUE(ship.isFiring(0));
  pushKey(SDLK_a, false);
  pushJoyButton(12, true);
  ship.update(1);
  EXPECT_TRUE(ship.isFiring(0));
}

TEST_F(Ship, MovesDiagonallyBoostsAndStaysOnTheField) {
  pushKey(SDLK_UP, true);
  pushKey(SDLK_RIGHT, true);
  ship.update(1);
  EXPECT_FLOAT_EQ(ship.getX(), 102.0f);
  EXPECT_FLOAT_EQ(ship.getY(), 98.0f);
  pushKey(SDLK_UP, false);
  pushKey(SDLK_RIGHT, false);
  pushJoyButton(7, true);  // up-right on the handheld's pad moves the same way
  pushKey(SDLK_e, true);   // boost: 5 pixels per tick
  ship.update(2);
  EXPECT_FLOAT_EQ(ship.getX(), 112.0f);
  EXPECT_FLOAT_EQ(ship.getY(), 88.0f);
  pushKey(SDLK_e, false);
  ship.update(35);
  EXPECT_FLOAT_EQ(ship.getX(), 182.0f) << "back to 2 per tick";
  EXPECT_FLOAT_EQ(ship.getY(), 25.0f);
  ship.x = -30.0f;
  ship.y = 500.0f;
  globalPaused = true;  // the clamp works while paused as well
  ship.update(1);
  EXPECT_FLOAT_EQ(ship.getX(), 0.0f);
  EXPECT_FLOAT_EQ(ship.getY(), 220.0f);
  ship.x = 400.0f;
  ship.update(1);
  EXPECT_FLOAT_EQ(ship.getX(), 275.0f);
}

TEST_F(Ship, CollectsWhatTheHitTestLeft) {
  globalExtraLifeWaiting = globalExtraBombWaiting = globalFirePowerWaiting = true;
  globalScore = 350;
  ship.update(1);
  EXPECT_EQ(ship.getHealth(), 4);
  EXPECT_EQ(ship.getBombs(), 4);
  EXPECT_EQ(ship.firePower, 2);
  EXPECT_EQ(ship.getScore(), 650);
  EXPECT_EQ(globalScore, 0);
  EXPECT_FALSE(globalExtraLifeWaiting || globalExtraBombWaiting || globalFirePowerWaiting);
  EXPECT_TRUE(healthPackSoundWaiting && extraBombSoundWaiting && doubleFireSoundWaiting);
  globalFirePowerWaiting = true;
  ship.update(1);
  EXPECT_TRUE(tripleFireSoundWaiting);
  EXPECT_FALSE(points100SoundWaiting);
  globalFirePowerWaiting = true;
  ship.update(1);
  EXPECT_EQ(ship.firePower, 3) << "three guns at most";
  EXPECT_TRUE(points100SoundWaiting);
  EXPECT_EQ(ship.getScore(), 850);
}

TEST_F(Ship, ThreeHitsKillAndDeathIsReportedOnce) {
  ship.firePower = 2;
  ship.takeHit(1);
  ship.takeHit(1);
  EXPECT_EQ(ship.firePower, 1) << "never fewer than one gun";
  EXPECT_FALSE(ship.isDead());
  ship.takeHit(1);
  EXPECT_EQ(ship.getHealth(), 0);
  EXPECT_FALSE(ship.active);
  EXPECT_TRUE(ship.isDead());
  EXPECT_FALSE(ship.isDead());
  ship.takeHit(1);
  EXPECT_EQ(ship.getHealth(), 0) << "a dead ship takes no more hits";
}
