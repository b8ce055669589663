// A level's fades and the screens after it: the level fades in from black; a completed
// level fades out over its run-out, one shot down or quit fades out at once; then the
// outcome's own screen fades in and stays readable, and the music stops with the level.
#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "engine/avatar.h"
#include "engine/level_run.h"
#include "engine/wave.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "tests/support/level_fixture.h"

namespace {
struct sample {
  Uint32 ms;  // since the level started
  int alpha;  // of the level screen
};

int whitePixelsShown() {
  const Uint32 white = SDL_MapRGB(globalScreen->format, 255, 255, 255);
  const Uint16* pixels = static_cast<const Uint16*>(globalScreen->pixels);
  return static_cast<int>(
      std::count(pixels, pixels + globalScreen->h * globalScreen->pitch / 2, white));
}

}  // namespace

using LevelFades = LevelFixture;

TEST_F(LevelFades, InFromBlackOutByHowTheLevelEndedThenTheOutcomeScreenFadesIn) {
  const struct {
    const char* name;
    int outcome;
    float enemyRow;      // one enemy crosses the field from the right at 1 pixel per tick
    Uint32 quitAtMs;     // 0: never
    Uint32 blackWithin;  // ms from the end of play until the level screen is black
    Uint32 blackAfter;
  } rows[] = {
      {"completed", LEVEL_COMPLETE, 150, 0, 4500, 3000},  // the enemy leaves the field
      {"shot down", PLAYER_KILLED, 25, 0, 1500, 500},     // it meets the ship
      {"quit", PLAYER_QUIT, 150, 3000, 1500, 500},
  };
  for (const auto& r : rows) {
    delete lv;
    lv = makeLevel();
    setProfile("FADES");
    wave* crossing = new wave();
    crossing->append(new wavelet(ADD_ENEMY, DEFAULT_ENEMY, DTR270, 1.0f, 300, r.enemyRow, nullptr,
                                 ENEMY, 45, 20));
    crossing->append(new wavelet(0, SET_HEALTH, 0, 0, 1000, 0, 0, 0, 0, 0, 0));  // outlives contact
    lv->addWave(crossing);
    std::vector<sample> samples;
    const Uint32 start = virtualClock::now();
    Uint32 endedMs = 0, lastPressMs = 0;
    bool quitPressed = false, screenSeen = false, musicDuringScreen = false;
    int whiteOnScreen = 0;
    virtualClock::onEveryRead([&](Uint32 now) {
      Uint32 ms = now - start;
      samples.push_back({ms, levelScreen->format->alpha});
      if (r.quitAtMs != 0 && ms >= r.quitAtMs && !quitPressed) {
        pushKeyPress(SDLK_ESCAPE);
        quitPressed = true;
      }
      if (endedMs == 0 && (lv->endLevel || lv->levelAv->getQuit())) endedMs = ms;
      if (endedMs != 0 && !screenSeen && ms >= endedMs + 6000) {
        // Long after the outcome screen has faded in; Space then leaves it.
        whiteOnScreen = whitePixelsShown();
        musicDuringScreen = Mix_PlayingMusic() != 0;
        screenSeen = true;
        pushKeyPress(SDLK_SPACE);
        lastPressMs = ms;
      } else if (screenSeen && ms >= lastPressMs + 1000) {
        pushKeyPress(SDLK_SPACE);  // through the high-score table
        lastPressMs = ms;
      }
    });
    int outcome{};
    printedBy([&] { outcome = lv->play(1); });
    virtualClock::onEveryRead(nullptr);
    SCOPED_TRACE(r.name);
    ASSERT_EQ(outcome, r.outcome);
    ASSERT_GT(endedMs, 3000u) << "play must outlast the fade-in";

    // In: from black to opaque over the first two seconds, then opaque until the end.
    int last = 0;
    for (const sample& s : samples) {
      if (s.ms < 100 || s.ms >= endedMs) continue;
      EXPECT_LT(s.alpha, s.ms == 100 ? 40 : 256) << "the level starts dark";
      EXPECT_GE(s.alpha, s.ms >= 2000 ? 255 : s.ms < 1900 ? last : 0) << "at " << s.ms << " ms";
      last = s.alpha;
    }
    // Out: darker and darker, reaching black as slowly as the way the level ended asks.
    last = 255;
    Uint32 blackMs = 0;
    for (const sample& s : samples) {
      if (s.ms < endedMs) continue;
      ASSERT_LE(s.alpha, last) << "brightens at " << s.ms << " ms, before it went black";
      last = s.alpha;
      blackMs = s.ms;
      if (last == 0) break;
    }
    ASSERT_EQ(last, 0) << "never black";
    EXPECT_GE(blackMs - endedMs, r.blackAfter);
    EXPECT_LE(blackMs - endedMs, r.blackWithin);

    EXPECT_TRUE(screenSeen);
    EXPECT_GT(whiteOnScreen, 200) << "the outcome screen's text is shown in full";
    EXPECT_TRUE(musicDuringScreen);
    EXPECT_EQ(Mix_PlayingMusic(), 0) << "the music stops with the level";
  }
}

// Each way a level ends has a screen of its own.
TEST(PostLevelScreen, EachOutcomeSaysSomethingOfItsOwn) {
  std::set<std::string> openings;
  for (int outcome : {LEVEL_COMPLETE, PLAYER_KILLED, PLAYER_QUIT}) {
    screenLine lines[MAX_POST_LEVEL_LINES];
    int count = postLevelLines(outcome, 3, lines);
    ASSERT_GT(count, 1);
    EXPECT_TRUE(openings.insert(lines[0].text).second) << lines[0].text;
  }
}
