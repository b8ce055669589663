// The level's frame loop: the whole-tick time step, and a ship shot down ending the level
// and entering its score.
#include <vector>

#include "engine/avatar.h"
#include "engine/level_run.h"
#include "engine/sprite.h"
#include "engine/wave.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "tests/support/level_fixture.h"

namespace {
// What the test sees at each clock read while a level plays.
struct sample {
  Uint32 now;
  float counter;  // a background scrolling 1 pixel per tick: the ticks run so far
  int alpha;
  bool endLevel;
};

struct LevelLoop : LevelFixture {
  std::vector<sample> samples;

  // A layer whose counter tells how many ticks the frames have advanced.
  void addTickCounter(level* l) {
    l->addBackground(0, BACKGROUND_1, DTR90, 1.0f, 0, 25, 1, HARMLESS, 1000000, 215);
  }

  void addEnemyWave(float x, float y) {
    wave* w = new wave();
    w->append(new wavelet(ADD_ENEMY, DEFAULT_ENEMY, DTR270, 0.001f, x, y, nullptr, ENEMY, 45, 20));
    w->append(new wavelet(0, SET_HEALTH, 0, 0, 1000, 0, 0, 0, 0, 0, 0));
    lv->addWave(w);
  }

  // Plays the level, sampling every read and pressing Space every second of virtual time
  // once quietMs have passed.
  int playSampled(level* l, int health, Uint32 quietMs = 0) {
    Uint32 lastPress = virtualClock::now() + quietMs;
    virtualClock::onEveryRead([this, l, &lastPress](Uint32 now) {
      float counter = l->backgrounds[0] != nullptr ? l->backgrounds[0]->counter : 0.0f;
      samples.push_back({now, counter, levelScreen->format->alpha, l->endLevel});
      if (static_cast<Sint32>(now - lastPress) >= 1000) {
        lastPress = now;
        pushKeyPress(SDLK_SPACE);  // in play it only lifts a pause
      }
    });
    startCapturingStdout();
    int result = l->play(health);
    stopCapturingStdout();
    virtualClock::onEveryRead(nullptr);
    return result;
  }
};
}  // namespace

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

TEST_F(LevelLoop, ShipShotDownEndsTheLevelAndEntersTheScore) {
  addTickCounter(lv);
  addEnemyWave(10, 25);  // right where the ship is held at the top of the play field
  setProfile("SHOT DOWN");
  lv->highScores[0] = 500;
  Uint32 start = virtualClock::now();
  EXPECT_EQ(playSampled(lv, 1), PLAYER_KILLED);
  EXPECT_LT(samples.back().now - start, 10000u);
  EXPECT_TRUE(lv->endLevel);
  EXPECT_EQ(lv->highScores[0], 500);
  EXPECT_EQ(lv->highScores[1], lv->levelAv->getScore());
  EXPECT_STREQ(lv->highScoreNames[1], "SHOT DOWN                     ");
  float framesRun = 0;
  for (const sample& s : samples) framesRun = s.counter;
  EXPECT_LE(framesRun, 3.0f) << "the level stops right after the ship is lost";
}
