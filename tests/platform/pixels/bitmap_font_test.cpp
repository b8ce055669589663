// The generated font read by the bitmap reader against the same file drawn by SDL_ttf: the
// browser build draws every text with the reader, and its frames must match the desktop's.
#include "platform/pixels/bitmap_font.h"

#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>

#include <string>

namespace {
const char* FONT_FILE = "fonts/xirod.ttf";

class bitmapFontTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(TTF_Init(), 0);
    ttf = TTF_OpenFont(FONT_FILE, 8);
    ASSERT_NE(ttf, nullptr);
    ASSERT_TRUE(face.load(FONT_FILE));
  }
  void TearDown() override {
    if (ttf != nullptr) TTF_CloseFont(ttf);
    TTF_Quit();
  }
  TTF_Font* ttf = nullptr;
  bitmapFont face;
};

// Every line the screens show is built from these: capitals, descenders, digits, spaces,
// punctuation, and a byte the font lacks.
const char* const LINES[] = {"Please choose a profile",
                             "Use up/down to select a slot.",
                             "Space to advance, Esc to quit.",
                             "Slot 1",
                             "EMPTY",
                             "Create New",
                             "0123456789",
                             "gjpqy, !?",
                             "A B  C",
                             "~`{|}",
                             "\x7f\x80"};

TEST_F(bitmapFontTest, linesHaveTheLibrarysSizeAndInk) {
  for (const char* line : LINES) {
    SCOPED_TRACE(line);
    int w = 0, h = 0;
    ASSERT_EQ(TTF_SizeText(ttf, line, &w, &h), 0);
    int width = 0;
    std::vector<Uint8> alpha = face.coverage(line, width);
    EXPECT_EQ(width, w);
    EXPECT_EQ(face.height, h);
    SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* drawn = TTF_RenderText_Blended(ttf, line, white);
    ASSERT_NE(drawn, nullptr);
    ASSERT_EQ(drawn->w, width);
    ASSERT_EQ(drawn->h, face.height);
    int differing = 0;
    for (int y = 0; y < drawn->h; y++) {
      const Uint32* row =
          reinterpret_cast<const Uint32*>(static_cast<Uint8*>(drawn->pixels) + y * drawn->pitch);
      for (int x = 0; x < drawn->w; x++) {
        Uint8 expected =
            static_cast<Uint8>((row[x] & drawn->format->Amask) >> drawn->format->Ashift);
        if (alpha[static_cast<size_t>(y * width + x)] != expected) differing++;
      }
    }
    EXPECT_EQ(differing, 0);
    SDL_FreeSurface(drawn);
  }
}

TEST(bitmapFontParse, refusesWhatIsNotAWholeFont) {
  const std::string glyph =
      "STARTCHAR A\nENCODING 65\nDWIDTH 3 0\nBBX 2 2 0 0\nBITMAP\n80\n40\nENDCHAR\n";
  const std::string head = "STARTFONT 2.1\nFONT_ASCENT 2\nFONT_DESCENT 0\n";
  struct {
    const char* what;
    std::string text;
    bool loads;
  } cases[] = {
      {"a whole font", head + glyph + "ENDFONT\n", true},
      {"not a font", "P6 320 240 255\n", false},
      {"cut short", head + glyph, false},
      {"bitmap cut short", head + glyph.substr(0, glyph.find("40")) + "ENDCHAR\nENDFONT\n", false},
      {"no line height", "STARTFONT 2.1\n" + glyph + "ENDFONT\n", false},
      {"empty", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bitmapFont font;
    EXPECT_EQ(font.parse(c.text), c.loads);
    EXPECT_EQ(font.glyphFor('A') != nullptr, c.loads);
  }
}
}  // namespace
