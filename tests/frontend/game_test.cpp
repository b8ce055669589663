// Start-up and shut-down of the game object, headless, and its text drawing.
#include <gtest/gtest.h>

#include "platform/clock.h"
#include "frontend/game.h"
#include "platform/globals.h"
#include "tests/support/headless.h"

TEST(Game, StartsUpWithDefaultsAndShutsDown) {
  game* g = new game();
  ASSERT_NE(globalScreen, nullptr);
  ASSERT_NE(g->screen, nullptr);
  EXPECT_EQ(g->screen->w, 320);
  EXPECT_EQ(g->screen->format->BitsPerPixel, 16);
  ASSERT_NE(g->font, nullptr);
  EXPECT_EQ(std::string(g->profileName), "A" + std::string(29, ' '));
  EXPECT_EQ(g->healthSettings[0], 3);
  EXPECT_EQ(g->healthSettings[10], 3);
  EXPECT_EQ(g->healthSettings[11], 0);
  EXPECT_EQ(g->healthSettings[21], 0);
  EXPECT_EQ(std::string(SDL_GetError()).find("fonts"), std::string::npos);

  SDL_FillRect(g->screen, nullptr, 0);
  g->drawText(g->screen, "Skarnfall", 0, 0, 255, 255, 255);
  int lit = 0;
  for (int x = 0; x < 60; x++) {
    for (int y = 0; y < 10; y++) {
      Uint8 r, gr, b;
      readPixel(g->screen, x, y, r, gr, b);
      if (r > 128) lit++;
    }
  }
  EXPECT_GT(lit, 20) << "the text should leave white pixels";
  presentSurface(g->screen);
  delete g;
  EXPECT_EQ(globalScreen, nullptr);
}

TEST(Game, LeavesWithAnErrorWhenTheFontIsMissing) {
  scratchGameDir scratch;
  unlink("fonts");
  EXPECT_EXIT({ game g; }, testing::ExitedWithCode(EXIT_FAILURE), "");
}
