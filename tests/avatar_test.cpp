// The player's ship driven through the real event queue: firing, movement, pause,
// volume, power-ups, hits and death.
#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <vector>

#include "engine/avatar.h"
#include "shell/constants.h"
#include "shell/globals.h"
#include "tests/support/headless.h"

namespace {
struct Ship : testing::Test {
  static void SetUpTestSuite() { openHeadlessDisplay(); }
  static void TearDownTestSuite() { closeHeadlessDisplay(); }
  void SetUp() override {
    resetGlobals();
    drainEvents();
  }
  // As the level builds it: 45 by 20, speed 2, a volley every 7 ticks, six frames.
  avatar makeShip() {
    avatar ship(DEFAULT_AVATAR, 0.0f, 2.0f, 100.0f, 100.0f, 45, 20, 7);
    ship.setMaxFrame(6);
    ship.setHealth(3);
    return ship;
  }
  void hold(std::initializer_list<SDLKey> keys, bool down) {
    for (SDLKey key : keys) pushKey(key, down);
  }
};
}  // namespace

TEST_F(Ship, FireButtonPairsPickTheDirection) {
  struct row {
    std::vector<SDLKey> keys;
    int direction;
  };
  const row rows[] = {
      {{SDLK_w, SDLK_a}, NORTH_WEST}, {{SDLK_w, SDLK_s}, NORTH},     {{SDLK_a, SDLK_d}, EAST},
      {{SDLK_a, SDLK_s}, SOUTH_WEST}, {{SDLK_d, SDLK_w}, NORTH_EAST}, {{SDLK_d, SDLK_s}, SOUTH_EAST},
      {{SDLK_s}, SOUTH},              {{SDLK_a}, WEST},              {{SDLK_d}, EAST},
      {{SDLK_w}, NORTH},
  };
  avatar ship = makeShip();
  for (const row& r : rows) {
    for (SDLKey key : r.keys) pushKey(key, true);
    ship.update(1);
    EXPECT_EQ(ship.getBulletDirection(), r.direction) << "row for direction " << r.direction;
    for (SDLKey key : r.keys) pushKey(key, false);
    ship.update(1);
    EXPECT_EQ(ship.getBulletDirection(), r.direction) << "no button held keeps the direction";
  }
}

TEST_F(Ship, JoystickFireButtonsPickTheDirection) {
  avatar ship = makeShip();
  pushJoyButton(12, true);  // A
  pushJoyButton(14, true);  // Y
  ship.update(1);
  EXPECT_EQ(ship.getBulletDirection(), NORTH_WEST);
  pushJoyButton(12, false);
  pushJoyButton(14, false);
  pushJoyButton(15, true);  // X
  ship.update(1);
  EXPECT_EQ(ship.getBulletDirection(), SOUTH);
}

TEST_F(Ship, VolleysComeNoFasterThanTheInterval) {
  avatar ship = makeShip();
  pushKey(SDLK_d, true);
  std::vector<int> volleyTicks;
  for (int tick = 1; tick <= 22; tick++) {
    ship.update(1);
    if (ship.isFiring(0)) volleyTicks.push_back(tick);
    EXPECT_FALSE(ship.isFiring(1)) << "one gun at fire power 1";
  }
  EXPECT_EQ(volleyTicks, (std::vector<int>{7, 14, 21}));
  // A fresh press of "a" makes the very next update fire.
  pushKey(SDLK_d, false);
  ship.update(1);
  pushKey(SDLK_a, true);
  ship.update(1);
  EXPECT_TRUE(ship.isFiring(0));
  EXPECT_FALSE(ship.isFiring(0)) << "reading clears the request";
  // And so does joystick button 12.
  pushKey(SDLK_a, false);
  ship.update(1);
  pushJoyButton(12, true);
  ship.update(1);
  EXPECT_TRUE(ship.isFiring(0));
}

TEST_F(Ship, AVolleyRaisesOneRequestPerGun) {
  avatar ship = makeShip();
  ship.firePower = 2;
  pushKey(SDLK_a, true);
  ship.update(1);
  EXPECT_TRUE(ship.isFiring(0));
  EXPECT_TRUE(ship.isFiring(1));
  EXPECT_FALSE(ship.isFiring(2));
}

TEST_F(Ship, DiagonalsMoveAlongBothAxes) {
  avatar ship = makeShip();
  hold({SDLK_UP, SDLK_RIGHT}, true);
  ship.update(1);
  EXPECT_FLOAT_EQ(ship.getX(), 102.0f);
  EXPECT_FLOAT_EQ(ship.getY(), 98.0f);
  hold({SDLK_UP, SDLK_RIGHT}, false);
  pushJoyButton(7, true);  // up-right on the handheld's pad
  ship.update(3);
  EXPECT_FLOAT_EQ(ship.getX(), 108.0f);
  EXPECT_FLOAT_EQ(ship.getY(), 92.0f);
  pushJoyButton(7, false);
  pushJoyButton(3, true);  // down-left
  ship.update(1);
  EXPECT_FLOAT_EQ(ship.getX(), 106.0f);
  EXPECT_FLOAT_EQ(ship.getY(), 94.0f);
}

TEST_F(Ship, BoostHoldsFiveUntilReleased) {
  avatar ship = makeShip();
  pushKey(SDLK_e, true);
  pushKey(SDLK_RIGHT, true);
  ship.update(2);
  EXPECT_FLOAT_EQ(ship.getX(), 110.0f);
  pushKey(SDLK_e, false);
  ship.update(2);
  EXPECT_FLOAT_EQ(ship.getX(), 114.0f);
}

TEST_F(Ship, StaysOnThePlayFieldEvenWhilePaused) {
  avatar ship = makeShip();
  ship.x = -30.0f;
  ship.y = 500.0f;
  ship.update(1);
  EXPECT_FLOAT_EQ(ship.getX(), 0.0f);
  EXPECT_FLOAT_EQ(ship.getY(), 220.0f);
  globalPaused = true;
  ship.x = 400.0f;
  ship.y = 0.0f;
  ship.update(1);
  EXPECT_FLOAT_EQ(ship.getX(), 275.0f);
  EXPECT_FLOAT_EQ(ship.getY(), 25.0f);
  globalPaused = false;
  pushKey(SDLK_RIGHT, true);
  pushKey(SDLK_UP, true);
  ship.update(10);
  EXPECT_FLOAT_EQ(ship.getX(), 275.0f);
  EXPECT_FLOAT_EQ(ship.getY(), 25.0f);
}

TEST_F(Ship, PauseTogglesOncePerStartPress) {
  avatar ship = makeShip();
  pushKeyPress(SDLK_p);
  ship.update(1);
  EXPECT_TRUE(globalPaused);
  pushKeyPress(SDLK_p);
  ship.update(1);
  EXPECT_FALSE(globalPaused);
  pushKey(SDLK_p, true);
  pushKey(SDLK_p, true);  // a repeat without a release in between
  ship.update(1);
  EXPECT_TRUE(globalPaused);
  pushKey(SDLK_p, false);
  pushJoyButton(8, true);
  ship.update(1);
  EXPECT_FALSE(globalPaused) << "the handheld's start button toggles as well";
}

TEST_F(Ship, SpaceAndButtonAUnpauseButTheAKeyDoesNot) {
  avatar ship = makeShip();
  globalPaused = true;
  pushKeyPress(SDLK_a);
  ship.update(1);
  EXPECT_TRUE(globalPaused);
  pushKeyPress(SDLK_SPACE);
  ship.update(1);
  EXPECT_FALSE(globalPaused);
  globalPaused = true;
  pushJoyButton(12, true);
  pushJoyButton(12, false);
  ship.update(1);
  EXPECT_FALSE(globalPaused);
}

TEST_F(Ship, PausedShipNeitherMovesNorFiresNorBombs) {
  avatar ship = makeShip();
  globalPaused = true;
  pushKey(SDLK_LEFT, true);
  pushKey(SDLK_d, true);
  pushKey(SDLK_q, true);
  pushKey(SDLK_e, true);
  for (int i = 0; i < 10; i++) ship.update(1);
  EXPECT_FLOAT_EQ(ship.getX(), 100.0f);
  EXPECT_FALSE(ship.isFiring(0));
  EXPECT_FALSE(ship.isBombing());
  EXPECT_EQ(ship.getBombs(), 3);
  EXPECT_TRUE(ship.rButton);
  EXPECT_FLOAT_EQ(ship.speed, 2.0f) << "the boost is not taken while paused";
}

TEST_F(Ship, VolumeMovesInStepsOfTenWithinBounds) {
  avatar ship = makeShip();
  for (int i = 0; i < 8; i++) pushKeyPress(SDLK_l);
  ship.update(1);
  EXPECT_EQ(master_volume, 120);
  EXPECT_EQ(Mix_VolumeMusic(-1), 120) << "the music follows";
  Mix_VolumeMusic(7);
  pushKeyPress(SDLK_l);
  ship.update(1);
  EXPECT_EQ(master_volume, 120);
  EXPECT_EQ(Mix_VolumeMusic(-1), 120) << "re-applied even when unchanged";
  globalPaused = true;  // volume works while paused
  for (int i = 0; i < 7; i++) pushJoyButton(17, true), pushJoyButton(17, false);
  ship.update(1);
  EXPECT_EQ(master_volume, 50);
  for (int i = 0; i < 9; i++) pushKeyPress(SDLK_k);
  ship.update(1);
  EXPECT_EQ(master_volume, 0);
  EXPECT_EQ(Mix_VolumeMusic(-1), 0);
  pushJoyButton(16, true);
  ship.update(1);
  EXPECT_EQ(master_volume, 10);
}

TEST_F(Ship, CollectsWhatTheHitTestLeft) {
  avatar ship = makeShip();
  globalExtraLifeWaiting = true;
  globalExtraBombWaiting = true;
  globalScore = 350;
  ship.update(1);
  EXPECT_EQ(ship.getHealth(), 4);
  EXPECT_EQ(ship.getBombs(), 4);
  EXPECT_EQ(ship.getScore(), 550);
  EXPECT_EQ(globalScore, 0);
  EXPECT_FALSE(globalExtraLifeWaiting);
  EXPECT_FALSE(globalExtraBombWaiting);
  EXPECT_TRUE(healthPackSoundWaiting);
  EXPECT_TRUE(extraBombSoundWaiting);
}

TEST_F(Ship, FirePowerRisesToThreeThenPaysPoints) {
  avatar ship = makeShip();
  globalFirePowerWaiting = true;
  ship.update(1);
  EXPECT_EQ(ship.firePower, 2);
  EXPECT_TRUE(doubleFireSoundWaiting);
  globalFirePowerWaiting = true;
  ship.update(1);
  EXPECT_EQ(ship.firePower, 3);
  EXPECT_TRUE(tripleFireSoundWaiting);
  EXPECT_FALSE(points100SoundWaiting);
  globalFirePowerWaiting = true;
  ship.update(1);
  EXPECT_EQ(ship.firePower, 3);
  EXPECT_TRUE(points100SoundWaiting);
  EXPECT_EQ(ship.getScore(), 300);
  EXPECT_FALSE(globalFirePowerWaiting);
}

TEST_F(Ship, ThreeHitsKillAndDeathIsReportedOnce) {
  avatar ship = makeShip();
  ship.firePower = 2;
  ship.takeHit(1);
  EXPECT_EQ(ship.firePower, 1);
  EXPECT_EQ(ship.isInvincible(), INVINCIBLE_TIME);
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
  EXPECT_FALSE(ship.isDead());
}

TEST_F(Ship, FlickersWhileInvincibleThenSettles) {
  avatar ship = makeShip();
  ship.takeHit(1);
  std::vector<int> sheets;
  for (int i = 0; i < 4; i++) {
    ship.update(1);
    sheets.push_back(ship.typeId);
  }
  EXPECT_EQ(sheets, (std::vector<int>{DEFAULT_AVATAR_WHITE, DEFAULT_AVATAR, DEFAULT_AVATAR_WHITE,
                                      DEFAULT_AVATAR}));
  for (int i = 0; i < 10; i++) ship.update(10);
  EXPECT_EQ(ship.isInvincible(), 0);
  EXPECT_EQ(ship.typeId, DEFAULT_AVATAR);
  ship.update(1);
  EXPECT_EQ(ship.typeId, DEFAULT_AVATAR) << "no flicker once vulnerable";
}

TEST_F(Ship, SmartBombsNeedBombsAndOneRequestAtATime) {
  avatar ship = makeShip();
  pushKeyPress(SDLK_q);
  pushJoyButton(11, true);  // L while the first request is still pending
  ship.update(1);
  EXPECT_EQ(ship.getBombs(), 2);
  EXPECT_TRUE(ship.isBombing());
  EXPECT_FALSE(ship.isBombing());
  ship.bombs = 0;
  pushJoyButton(11, false);
  pushJoyButton(11, true);
  ship.update(1);
  EXPECT_FALSE(ship.isBombing());
  EXPECT_EQ(ship.getBombs(), 0);
}

TEST_F(Ship, QuitStaysSetAndUnknownButtonsAreIgnored) {
  avatar ship = makeShip();
  for (int button = 18; button < 32; button++) pushJoyButton(button, true);
  ship.update(1);
  EXPECT_FALSE(ship.getQuit());
  EXPECT_FLOAT_EQ(ship.getX(), 100.0f);
  EXPECT_FALSE(globalPaused);
  pushKeyPress(SDLK_ESCAPE);
  ship.update(1);
  EXPECT_TRUE(ship.getQuit());
  ship.update(1);
  EXPECT_TRUE(ship.getQuit());
  avatar handheld = makeShip();
  pushJoyButton(9, true);
  handheld.update(1);
  EXPECT_TRUE(handheld.getQuit());
}

TEST_F(Ship, AnimationOvershootRestartsAtZero) {
  avatar ship = makeShip();
  ship.frame = 5;
  ship.update(3);
  EXPECT_EQ(ship.frame, 0);
  ship.update(4);
  EXPECT_EQ(ship.frame, 4);
}
