// The desktop display: when the picture needs no scaling, and the mode a desktop gets.
#include <gtest/gtest.h>

#include <cstdlib>

#include "frontend/game.h"
#include "platform/desktop_display.h"
#include "platform/globals.h"

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

// The dummy video driver's desktop is larger than the game, so full screen there is
// scaled, as is a window three times the game's size: the library keeps its renderer and
// nothing is set for it.
TEST(DesktopDisplay, AScaledDesktopKeepsTheLibrarysRenderer) {
  unsetenv("SDL_RENDER_DRIVER");
  unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
  setenv("SDL12COMPAT_WINDOW_SCALING", "3", 1);
  enableDesktopDisplay(true);
  game* g = new game();
  enableDesktopDisplay(false);
  ASSERT_NE(globalScreen, nullptr);
  EXPECT_EQ(globalScreen->w, 320);
  EXPECT_EQ(std::getenv("SDL_RENDER_DRIVER"), nullptr);
  EXPECT_EQ(std::getenv("SDL_FRAMEBUFFER_ACCELERATION"), nullptr);
  delete g;
  unsetenv("SDL12COMPAT_WINDOW_SCALING");
}

TEST(DesktopDisplay, TheModeFollowsTheWindowOptionAndAPlayersRendererChoiceStays) {
  for (bool windowed : {false, true}) {
    unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
    setenv("SDL_RENDER_DRIVER", "opengl", 1);  // a player's own choice stays
    SDL_Init(SDL_INIT_VIDEO);
    enableDesktopDisplay(true);
    playInWindow(windowed);
    Uint32 flags = prepareVideoMode();
    enableDesktopDisplay(false);
    playInWindow(false);
    SDL_Quit();
    EXPECT_EQ(flags, windowed ? 0u : static_cast<Uint32>(SDL_FULLSCREEN));
    // A window scaled by 1 is shown by a plain copy; a scaled full screen keeps the renderer.
    EXPECT_EQ(std::getenv("SDL_FRAMEBUFFER_ACCELERATION") != nullptr, windowed);
    EXPECT_STREQ(std::getenv("SDL_RENDER_DRIVER"), "opengl");
  }
  unsetenv("SDL_RENDER_DRIVER");
  unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
}
