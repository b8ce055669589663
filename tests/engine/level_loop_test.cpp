// The level's frame loop on the virtual clock: the whole-tick time step, the fade-in, the
// three ways a level ends (each entering its score) and the once-per-frame sounds.
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

  // Advance of the tick counter from each read to the next.
  std::vector<float> counterSteps() {
    std::vector<float> steps;
    for (size_t i = 1; i < samples.size(); i++) {
      steps.push_back(samples[i].counter - samples[i - 1].counter);
    }
    return steps;
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

TEST_F(LevelLoop, FramesAdvanceByTheWholeTicksThatPassed) {
  struct pace {
    Uint32 msPerRead;
    float step;
    bool everyRead;
  };
  for (pace p : {pace{15, 1, false}, pace{16, 1, true}, pace{40, 2, true}, pace{500, 10, true}}) {
    samples.clear();
    virtualClock::install(p.msPerRead);
    level* l = makeLevel();
    addTickCounter(l);
    EXPECT_EQ(playSampled(l, 5), LEVEL_COMPLETE);
    delete l;
    std::vector<float> steps = counterSteps();
    bool framesInARow = false;
    int frames = 0;
    for (size_t i = 0; i < steps.size(); i++) {
      if (steps[i] == 0) continue;
      frames++;
      ASSERT_EQ(steps[i], p.step) << p.msPerRead << " ms per read";
      if (i > 0 && steps[i - 1] != 0) framesInARow = true;
    }
    EXPECT_EQ(framesInARow, p.everyRead) << p.msPerRead << " ms per read";
    EXPECT_GE(frames * p.step, 240) << "the run-out of a completed level lasts 240 ticks";
    // The first frame ends the level; one more may run in the pass that stops the loop.
    EXPECT_LE(frames * p.step, 240 + 2 * p.step);
  }
}

TEST_F(LevelLoop, ALevelWithoutWavesIsCompleteInItsFirstFrame) {
  addTickCounter(lv);
  EXPECT_EQ(playSampled(lv, 0), LEVEL_COMPLETE) << "no enemies left counts before health";
  for (const sample& s : samples) {
    if (s.counter > 0) {
      EXPECT_TRUE(s.endLevel);
      EXPECT_EQ(s.counter, 1.0f);
      break;
    }
  }
  EXPECT_EQ(Mix_PlayingMusic(), 0);
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

TEST_F(LevelLoop, EscapeQuitsAfterTheFadeIn) {
  virtualClock::install(16);  // one frame of one tick per read
  addTickCounter(lv);
  addEnemyWave(250, 150);
  setProfile("QUITTER");
  lv->highScores[0] = 500;
  Uint32 quitAt = virtualClock::now() + 3000;
  keyPressAt(quitAt, SDLK_ESCAPE);
  EXPECT_EQ(playSampled(lv, 4), PLAYER_QUIT);
  EXPECT_STREQ(lv->highScoreNames[1], "QUITTER                       ");
  EXPECT_FALSE(lv->endLevel);

  int lastAlpha = -1;
  float quitTicks = -1;  // ticks run when Escape arrived
  for (const sample& s : samples) {
    if (s.counter < 1) continue;
    if (s.now >= quitAt && quitTicks < 0) quitTicks = s.counter;
    if (s.counter < 120) {
      EXPECT_LT(s.alpha, 255) << "tick " << s.counter;
      EXPECT_GE(s.alpha, lastAlpha);
      lastAlpha = s.alpha;
    } else if (s.now <= quitAt) {
      EXPECT_EQ(s.alpha, 255) << "tick " << s.counter;
    }
  }
  EXPECT_GT(quitTicks, 180);
  // The frame that reads Escape, then the one of the pass that stops the loop.
  EXPECT_EQ(samples.back().counter - quitTicks, 2) << "the level stops right after Escape";
}

TEST_F(LevelLoop, EachRequestedSoundStartsOncePerFrame) {
  static std::vector<Uint8> silence(22050 * 4 * 60);  // a minute: still playing at the end
  Mix_FreeChunk(lv->avatar_gun);
  Mix_FreeChunk(lv->enemy_gun);
  lv->avatar_gun = Mix_QuickLoad_RAW(silence.data(), static_cast<Uint32>(silence.size()));
  lv->enemy_gun = nullptr;  // fails to play
  ASSERT_NE(lv->avatar_gun, nullptr);
  // Two requesters ask for the gun sound before the same frame.
  Uint32 at = virtualClock::now() + 100;
  virtualClock::at(at, [] { avatarGunSoundWaiting = enemyGunSoundWaiting = true; });
  virtualClock::at(at, [] { avatarGunSoundWaiting = true; });
  keepPressing(SDLK_SPACE, 1000);
  startCapturingStdout();
  lv->play(3);
  std::string printed = stopCapturingStdout();
  EXPECT_EQ(Mix_Playing(-1), 1);
  EXPECT_NE(printed.find("Unable to play WAV file: "), std::string::npos);
  EXPECT_FALSE(avatarGunSoundWaiting);
  EXPECT_FALSE(enemyGunSoundWaiting);
  delete lv;  // stops the sound before the silence goes
  lv = nullptr;
}

TEST_F(LevelLoop, WithoutASoundDevicePlayGoesOnSilently) {
  Mix_CloseAudio();
  Uint32 at = virtualClock::now() + 100;
  virtualClock::at(at, [] { avatarGunSoundWaiting = smartBombSoundWaiting = true; });
  keepPressing(SDLK_SPACE, 1000);
  startCapturingStdout();
  lv->play(3);
  std::string printed = stopCapturingStdout();
  EXPECT_EQ(printed.find("Unable to play WAV file"), std::string::npos);
  EXPECT_FALSE(avatarGunSoundWaiting) << "requests are still taken each frame";
  EXPECT_FALSE(smartBombSoundWaiting);
  Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024);
}

TEST_F(LevelLoop, LosingTheWindowFocusPausesOnlyWhileALevelRuns) {
  enableDesktopInput(true);
  addTickCounter(lv);
  addEnemyWave(250, 150);
  Uint32 start = virtualClock::now();
  virtualClock::at(start + 1000, [] {
    SDL_Event lost = {};
    lost.type = SDL_ACTIVEEVENT;
    lost.active.gain = 0;
    lost.active.state = SDL_APPINPUTFOCUS;
    SDL_PushEvent(&lost);
  });
  keyPressAt(start + 3000, SDLK_ESCAPE);
  EXPECT_EQ(playSampled(lv, 4, 3000), PLAYER_QUIT);  // Space would lift the pause
  float atPause = -1;
  for (const sample& s : samples) {
    if (s.now == start + 1100) atPause = s.counter;
    if (s.now == start + 2900) {
      EXPECT_EQ(s.counter, atPause) << "the layers stand still";
    }
  }
  EXPECT_GT(atPause, 50);
  globalPaused = false;
  SDL_Event lost = {};
  lost.type = SDL_ACTIVEEVENT;
  lost.active.state = SDL_APPINPUTFOCUS;
  SDL_PushEvent(&lost);
  SDL_Event event;
  while (pollInputEvent(&event)) {
  }
  EXPECT_FALSE(globalPaused) << "no level runs any more";
  enableDesktopInput(false);
}
