// The level's frame loop: the whole-tick time step, and a ship shot down ending the level
// and entering its score.
#include "engine/avatar.h"
#include "engine/level_run.h"
#include "engine/sprite.h"
#include "engine/wave.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "tests/support/level_fixture.h"

TEST(TimeStep, CountsWholeTicksUpToTenAndDropsTheFraction) {
  Uint32 old = 1000;
  EXPECT_EQ(measureTimeStep(old, 1015), 0);
  EXPECT_EQ(old, 1000u) << "no frame: the time keeps adding up";
  EXPECT_EQ(measureTimeStep(old, 1016), 1);
  EXPECT_EQ(old, 1016u);
  EXPECT_EQ(measureTimeStep(old, 1056), 2);
  EXPECT_EQ(measureTimeStep(old, 1071), 0) << "the 8 ms left over were dropped";
  EXPECT_EQ(measureTimeStep(old, 1556), 10);
  EXPECT_EQ(measureTimeStep(old, 99999), 10);
  old = 0xFFFFFFF0u;
  EXPECT_EQ(measureTimeStep(old, 0x10u), 2) << "across the wrap of the millisecond clock";
}

using LevelLoop = LevelFixture;

TEST_F(LevelLoop, ShipShotDownEndsTheLevelAndEntersTheScore) {
  // A layer scrolling 1 pixel per tick counts the ticks the frames have run.
  lv->addBackground(0, BACKGROUND_1, DTR90, 1.0f, 0, 25, 1, HARMLESS, 1000000, 215);
  wave* w = new wave();  // right where the ship is held at the top of the play field
  w->append(new wavelet(ADD_ENEMY, DEFAULT_ENEMY, DTR270, 0.001f, 10, 25, nullptr, ENEMY, 45, 20));
  w->append(new wavelet(0, SET_HEALTH, 0, 0, 1000, 0, 0, 0, 0, 0, 0));
  lv->addWave(w);
  setProfile("SHOT DOWN");
  lv->highScores[0] = 500;
  const Uint32 start = virtualClock::now();
  Uint32 lastPress = start, endMs = 0;
  float framesRun = 0;
  virtualClock::onEveryRead([&](Uint32 now) {
    endMs = now;
    if (lv->backgrounds[0] != nullptr) framesRun = lv->backgrounds[0]->counter;
    if (now - lastPress >= 1000) {
      lastPress = now;
      pushKeyPress(SDLK_SPACE);  // through the end screens
    }
  });
  printedBy([&] { EXPECT_EQ(lv->play(1), PLAYER_KILLED); });
  virtualClock::onEveryRead(nullptr);
  EXPECT_LT(endMs - start, 10000u);
  EXPECT_TRUE(lv->endLevel);
  EXPECT_EQ(lv->highScores[0], 500);
  EXPECT_EQ(lv->highScores[1], lv->levelAv->getScore());
  EXPECT_STREQ(lv->highScoreNames[1], "SHOT DOWN                     ");
  EXPECT_LE(framesRun, 3.0f) << "the level stops right after the ship is lost";
}
