// Desktop input translation: gamepad hats and sticks, face buttons, focus and close.
#include <gtest/gtest.h>

#include <vector>

#include "platform/globals.h"
#include "platform/input.h"
#include "tests/support/headless.h"

namespace {
struct InputTest : testing::Test {
  void SetUp() override {
    openHeadlessDisplay();
    enableDesktopInput(true);
  }
  void TearDown() override {
    enableDesktopInput(false);
    setLevelRunning(false);
    closeHeadlessDisplay();
  }
  // Button events handed out, as +n for a press and -(n + 1) for a release.
  std::vector<int> drainButtons() {
    std::vector<int> seen;
    SDL_Event event;
    while (pollInputEvent(&event)) {
      if (event.type == SDL_JOYBUTTONDOWN) seen.push_back(event.jbutton.button);
      if (event.type == SDL_JOYBUTTONUP) seen.push_back(-(event.jbutton.button + 1));
    }
    return seen;
  }
  void pushHat(Uint8 value) {
    SDL_Event event = {};
    event.type = SDL_JOYHATMOTION;
    event.jhat.value = value;
    SDL_PushEvent(&event);
  }
  void pushAxis(int axis, int value) {
    SDL_Event event = {};
    event.type = SDL_JOYAXISMOTION;
    event.jaxis.axis = static_cast<Uint8>(axis);
    event.jaxis.value = static_cast<Sint16>(value);
    SDL_PushEvent(&event);
  }
};
}  // namespace

TEST_F(InputTest, HatBecomesOneDirectionButtonAtATime) {
  pushHat(SDL_HAT_UP);
  pushHat(SDL_HAT_UP | SDL_HAT_RIGHT);
  pushHat(SDL_HAT_RIGHT);
  pushHat(SDL_HAT_CENTERED);
  EXPECT_EQ(drainButtons(), (std::vector<int>{0, -1, 7, -8, 6, -7}));
  pushHat(SDL_HAT_LEFT | SDL_HAT_DOWN);
  pushHat(SDL_HAT_LEFT | SDL_HAT_DOWN);
  EXPECT_EQ(drainButtons(), (std::vector<int>{3})) << "a repeated position changes nothing";
}

TEST_F(InputTest, StickNeedsToLeanPastTheDeadZone) {
  pushAxis(0, 8000);
  EXPECT_TRUE(drainButtons().empty());
  pushAxis(0, 30000);
  pushAxis(1, -30000);
  pushAxis(1, -3000);
  pushAxis(0, 500);
  EXPECT_EQ(drainButtons(), (std::vector<int>{6, -7, 7, -8, 6, -7}));
  pushAxis(2, 32000);
  EXPECT_TRUE(drainButtons().empty()) << "other axes (triggers) are not directions";
}

TEST_F(InputTest, FaceAndShoulderButtonsTakeTheHandheldNumbers) {
  pushJoyButton(0, true);
  pushJoyButton(0, false);
  pushJoyButton(4, true);
  pushJoyButton(7, true);
  pushJoyButton(10, true);
  EXPECT_EQ(drainButtons(), (std::vector<int>{13, -14, 11, 8}));
}

TEST_F(InputTest, KeysPassThroughAndNothingIsTranslatedWhenOff) {
  pushKey(SDLK_SPACE, true);
  SDL_Event event;
  ASSERT_TRUE(pollInputEvent(&event));
  EXPECT_EQ(event.type, SDL_KEYDOWN);
  enableDesktopInput(false);
  pushJoyButton(13, true);
  EXPECT_EQ(drainButtons(), (std::vector<int>{13}));
}

TEST_F(InputTest, LosingFocusPausesOnlyARunningLevel) {
  SDL_Event focus = {};
  focus.type = SDL_ACTIVEEVENT;
  focus.active.gain = 0;
  focus.active.state = SDL_APPINPUTFOCUS;
  SDL_PushEvent(&focus);
  drainButtons();
  EXPECT_FALSE(globalPaused);
  setLevelRunning(true);
  SDL_PushEvent(&focus);
  drainButtons();
  EXPECT_TRUE(globalPaused);
}

TEST_F(InputTest, CloseButtonEndsTheProgramCleanly) {
  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  SDL_Event event;
  EXPECT_EXIT(pollInputEvent(&event), testing::ExitedWithCode(0), "");
}
