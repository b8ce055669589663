// The status bar's kept number pictures: drawn exactly as freshly rendered text, and
// rendered again only when the number (or font) changes.
#include <gtest/gtest.h>

#include <SDL/SDL_ttf.h>

#include <cstdio>
#include <cstring>

#include "engine/number_text.h"
#include "tests/support/headless.h"

namespace {
struct NumberTextTest : testing::Test {
  TTF_Font* font = nullptr;
  SDL_Surface* kept = nullptr;
  SDL_Surface* fresh = nullptr;
  void SetUp() override {
    openHeadlessDisplay();
    TTF_Init();
    font = TTF_OpenFont("fonts/xirod.ttf", 8);
    ASSERT_NE(font, nullptr);
    kept = makeScreenSurface();
    fresh = makeScreenSurface();
  }
  void TearDown() override {
    SDL_FreeSurface(kept);
    SDL_FreeSurface(fresh);
    if (font != nullptr) TTF_CloseFont(font);
    TTF_Quit();
    closeHeadlessDisplay();
  }
  void clearBoth() {
    SDL_FillRect(kept, nullptr, 0);
    SDL_FillRect(fresh, nullptr, 0);
  }
  // What the status bar drew before pictures were kept: render, blit, free.
  void drawFresh(int number, int x, int y) {
    char digits[16];
    snprintf(digits, sizeof digits, "%d", number);
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* text = TTF_RenderText_Blended(font, digits, white);
    ASSERT_NE(text, nullptr);
    SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(text, nullptr, fresh, &at);
    SDL_FreeSurface(text);
  }
  bool samePictures() {
    return memcmp(kept->pixels, fresh->pixels, static_cast<size_t>(kept->pitch) * kept->h) == 0;
  }
};
}  // namespace

TEST_F(NumberTextTest, KeptPictureFollowsTheNumber) {
  numberText score;
  clearBoth();
  score.draw(font, kept, 1300, 202, 2);
  drawFresh(1300, 202, 2);
  EXPECT_TRUE(samePictures());
  SDL_Surface* first = score.text;
  ASSERT_NE(first, nullptr);

  // The same number again reuses the picture and still draws it.
  clearBoth();
  score.draw(font, kept, 1300, 202, 2);
  drawFresh(1300, 202, 2);
  EXPECT_EQ(score.text, first);
  EXPECT_TRUE(samePictures());

  // A new number, including a negative one and 0, shows the new digits only.
  for (int number : {1400, -7, 0, 99}) {
    clearBoth();
    score.draw(font, kept, number, 202, 2);
    drawFresh(number, 202, 2);
    EXPECT_EQ(score.number, number);
    EXPECT_TRUE(samePictures()) << number;
  }
}

TEST_F(NumberTextTest, AnotherFontRendersAgainAndNoFontDrawsNothing) {
  numberText health;
  clearBoth();
  health.draw(font, kept, 3, 22, 2);
  TTF_Font* larger = TTF_OpenFont("fonts/xirod.ttf", 16);
  ASSERT_NE(larger, nullptr);
  health.draw(larger, kept, 3, 22, 2);
  EXPECT_EQ(health.font, larger);
  TTF_CloseFont(larger);

  clearBoth();
  health.draw(nullptr, kept, 5, 22, 2);
  EXPECT_TRUE(samePictures());  // both still black
}
