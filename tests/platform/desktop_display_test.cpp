// The desktop display: when the picture needs no scaling, and the mode a desktop gets.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/desktop_display.h"
#include "tests/support/headless.h"

TEST(DesktopDisplay, OnlyAFullScreenOfTheGamesOwnSizeOrAWindowScaledByOneIsUnscaled) {
  EXPECT_TRUE(showsUnscaled(SDL_FULLSCREEN, 320, 240, nullptr));
  EXPECT_TRUE(showsUnscaled(SDL_FULLSCREEN, 320, 240, "3"));  // the window setting is moot
  EXPECT_FALSE(showsUnscaled(SDL_FULLSCREEN, 1920, 1080, nullptr));
  EXPECT_FALSE(showsUnscaled(SDL_FULLSCREEN, 320, 200, nullptr));
  EXPECT_FALSE(showsUnscaled(SDL_FULLSCREEN, 640, 240, nullptr));
  EXPECT_TRUE(showsUnscaled(0, 1920, 1080, nullptr));
  EXPECT_TRUE(showsUnscaled(0, 1920, 1080, "1"));
  EXPECT_FALSE(showsUnscaled(0, 1920, 1080, "3"));
  EXPECT_FALSE(showsUnscaled(0, 320, 240, "2"));
}

// The mode follows the window option. A window at the game's own size is shown by the
// software renderer's plain copy, a scaled full screen keeps the library's renderer, and
// a player's own choice of renderer stays.
TEST(DesktopDisplay, TheModeFollowsTheWindowOptionAndTheRendererIsThePlayers) {
  for (const char* renderer : {static_cast<const char*>(nullptr), "opengl"}) {
    for (bool windowed : {false, true}) {
      unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
      setOrUnsetEnv("SDL_RENDER_DRIVER", renderer);
      SDL_Init(SDL_INIT_VIDEO);
      enableDesktopDisplay(true);
      playInWindow(windowed);
      Uint32 flags = prepareVideoMode();
      enableDesktopDisplay(false);
      playInWindow(false);
      SDL_Quit();
      EXPECT_EQ(flags, windowed ? 0u : static_cast<Uint32>(SDL_FULLSCREEN));
      EXPECT_EQ(std::getenv("SDL_FRAMEBUFFER_ACCELERATION") != nullptr, windowed);
      const char* chosen = std::getenv("SDL_RENDER_DRIVER");
      EXPECT_STREQ(chosen, renderer ? renderer : windowed ? "software" : nullptr);
    }
  }
  unsetenv("SDL_RENDER_DRIVER");
  unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
}
