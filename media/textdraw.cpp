// Text for the title and instruction pictures: the game's pixel font and a tiny digit font.
#include "textdraw.h"

#include <algorithm>

#include "pixelfont.h"

Image textMask(const std::string& s) {
  Image out(std::max(1, pixelTextWidth(s)), FONT_ASCENT + FONT_DESCENT);
  int x0 = 0;
  for (char c : s) {
    for (int row = 0; row < out.h; ++row)
      for (int x = 0; x < glyphWidth(c); ++x)
        if (glyphInk(c, x, row)) out.set(x0 + x, row, rgb(255, 255, 255));
    x0 += glyphWidth(c) + 1;
  }
  return out;
}

int textWidth(const std::string& s) { return pixelTextWidth(s); }

static void paintMask(Image& im, const Image& m, int x, int y, Col top, Col bottom) {
  for (int j = 0; j < m.h; ++j)
    for (int i = 0; i < m.w; ++i)
      if (m.opaque(i, j))
        im.set(x + i, y + j, mixCol(top, bottom, m.h > 1 ? (float)j / (m.h - 1) : 0));
}

void drawText(Image& im, int x, int y, const std::string& s, Col fg, Col shadow) {
  Image m = textMask(s);
  if (shadow.a) paintMask(im, m, x + 1, y + 1, shadow, shadow);
  paintMask(im, m, x, y, fg, fg);
}

void drawText2x(Image& im, int x, int y, const std::string& s, Col top, Col bottom, Col shadow) {
  Image m = scale2x(textMask(s));
  if (shadow.a) {
    paintMask(im, m, x + 1, y + 1, shadow, shadow);
    paintMask(im, m, x + 2, y + 2, shadow, shadow);
  }
  paintMask(im, m, x, y, top, bottom);
}

// Each digit is five rows of three bits, top row first.
static const unsigned char DIGITS[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 3, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};

void drawTinyDigits(Image& im, int x, int y, const char* digits, Col c) {
  for (const char* p = digits; *p; ++p, x += 4) {
    if (*p < '0' || *p > '9') continue;
    const unsigned char* g = DIGITS[*p - '0'];
    for (int row = 0; row < 5; ++row)
      for (int col = 0; col < 3; ++col)
        if (g[row] & (4 >> col)) im.set(x + col, y + row, c);
  }
}
