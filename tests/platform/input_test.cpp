// Desktop input translation: gamepad hats and sticks, face buttons, keys by place, focus.
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

TEST_F(InputTest, EveryHatPositionPressesItsHandheldDirection) {
  // The handheld's pad numbers its eight directions anticlockwise from up (0): up-left (1),
  // left (2) and on round to up-right (7).
  const struct {
    Uint8 hat;
    int button;
  } positions[] = {{SDL_HAT_UP, 0},       {SDL_HAT_LEFTUP, 1}, {SDL_HAT_LEFT, 2},
                   {SDL_HAT_LEFTDOWN, 3}, {SDL_HAT_DOWN, 4},   {SDL_HAT_RIGHTDOWN, 5},
                   {SDL_HAT_RIGHT, 6},    {SDL_HAT_RIGHTUP, 7}};
  for (const auto& p : positions) {
    pushHat(p.hat);
    pushHat(p.hat);  // a repeated position changes nothing
    pushHat(SDL_HAT_CENTERED);
    EXPECT_EQ(drainButtons(), (std::vector<int>{p.button, -(p.button + 1)})) << int(p.hat);
  }
  pushHat(SDL_HAT_UP);
  pushHat(SDL_HAT_RIGHTUP);
  EXPECT_EQ(drainButtons(), (std::vector<int>{0, -1, 7})) << "the old direction is let go first";
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

TEST_F(InputTest, LettersCountByPlaceInFlightAndBySymbolInMenus) {
  // A French keyboard: where a US keyboard has "a" (scan code 30) it prints "q", and so on.
  // SDL reports Windows's scan codes there and X11 key codes, 8 more, elsewhere.
#ifdef SKARNFALL_WINDOWS
  const int x = 0;
#else
  const int x = 8;
#endif
  const struct {
    int scancode;
    SDLKey printed;
    bool flying;
    SDLKey seen;  // SDLK_UNKNOWN: dropped
  } presses[] = {
      {30 + x, SDLK_q, true, SDLK_a},
      {16 + x, SDLK_a, true, SDLK_q},
      {17 + x, SDLK_z, true, SDLK_w},
      {0, SDLK_p, true, SDLK_p},  // no scancode: its symbol
      {50 + x, SDLK_COMMA, true, SDLK_UNKNOWN},
      {57 + x, SDLK_SPACE, true, SDLK_SPACE},
      {30 + x, SDLK_q, false, SDLK_q},
      {44 + x, SDLK_w, false, SDLK_w},
      {1 + x, SDLK_ESCAPE, false, SDLK_ESCAPE},
  };
  for (const auto& p : presses) {
    setLevelRunning(p.flying);
    SDL_Event event = keyEvent(p.printed, true);
    event.key.keysym.scancode = static_cast<Uint8>(p.scancode);
    SDL_PushEvent(&event);
    SDL_Event seen = {};
    bool handed = pollInputEvent(&seen);
    EXPECT_EQ(handed ? seen.key.keysym.sym : SDLK_UNKNOWN, p.seen)
        << p.scancode << (p.flying ? " in flight" : " in a menu");
    drainButtons();
  }
}
