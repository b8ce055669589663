// Pausing a level by key, by button or by losing the window's focus shows "PAUSED" centred
// over the frame on the display, and resuming shows the frame exactly as it was.
#include <vector>

#include "engine/wave.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "tests/support/level_fixture.h"

namespace {
std::vector<Uint16> displayPixels() {  // the display is 320 pixels of 16 bits to a row
  const Uint16* pixels = static_cast<const Uint16*>(globalScreen->pixels);
  return std::vector<Uint16>(pixels, pixels + globalScreen->h * globalScreen->pitch / 2);
}

}  // namespace

using PauseLabel = LevelFixture;

TEST_F(PauseLabel, ShowsCentredOnTheDisplayAndGoesWithoutATrace) {
  SDL_Event focusLost = {};
  focusLost.type = SDL_ACTIVEEVENT;
  focusLost.active.state = SDL_APPINPUTFOCUS;
  struct way {
    const char* name;
    SDL_Event pause;
    bool desktop;
  };
  for (way w : {way{"P key", keyEvent(SDLK_p, true), false},
                way{"start button", joyButtonEvent(padButtons::START, true), false},
                way{"lost focus", focusLost, true}}) {
    enableDesktopInput(w.desktop);
    virtualClock::install(16);  // one frame of one tick per read
    delete lv;
    lv = makeLevel();
    wave* still = new wave();  // one enemy that keeps the level going without moving
    still->append(
        new wavelet(ADD_ENEMY, DEFAULT_ENEMY, DTR270, 0.0f, 250, 150, nullptr, ENEMY, 45, 20));
    lv->addWave(still);
    std::vector<Uint16> before, paused, after;
    virtualClock::at(2500, [&] { before = displayPixels(); });  // the fade-in is over
    virtualClock::at(2600, [&] { SDL_PushEvent(&w.pause); });
    virtualClock::at(3000, [&] { paused = displayPixels(); });
    virtualClock::at(3100, [] { pushKeyPress(SDLK_SPACE); });  // Space lifts a pause
    virtualClock::at(3500, [&] { after = displayPixels(); });
    virtualClock::at(3600, [] { pushKeyPress(SDLK_ESCAPE); });
    keepPressing(SDLK_SPACE, 1000);  // through the end screens
    printedBy([&] { EXPECT_EQ(lv->play(3), PLAYER_QUIT) << w.name; });
    virtualClock::onEveryRead(nullptr);
    ASSERT_EQ(paused.size(), before.size()) << w.name;
    EXPECT_EQ(after, before) << w.name << ": the frame comes back exactly";
    // The pixels the label changed lie in a box centred on the display, and some are white.
    int left = WINDOW_WIDTH, right = -1, top = WINDOW_HEIGHT, bottom = -1, white = 0;
    for (size_t i = 0; i < before.size(); i++) {
      if (paused[i] == before[i]) continue;
      int x = static_cast<int>(i) % WINDOW_WIDTH, y = static_cast<int>(i) / WINDOW_WIDTH;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
      white += paused[i] == SDL_MapRGB(globalScreen->format, 255, 255, 255);
    }
    EXPECT_GT(white, 20) << w.name;
    EXPECT_NEAR(left, WINDOW_WIDTH - 1 - right, 2) << w.name;
    EXPECT_NEAR(top, WINDOW_HEIGHT - 1 - bottom, 2) << w.name;
    EXPECT_LT(right - left, WINDOW_WIDTH / 2) << w.name;
    globalPaused = false;
  }
  enableDesktopInput(false);
}
