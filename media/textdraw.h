// Text for the title and instruction pictures: the game's pixel font and a tiny digit font.
#pragma once
#include <string>

#include "canvas.h"

// White glyphs on transparency, one line high (ascent and descent).
Image textMask(const std::string& s);
int textWidth(const std::string& s);
// Text with a one-pixel drop shadow (shadow alpha 0 for none).
void drawText(Image& im, int x, int y, const std::string& s, Col fg, Col shadow = rgb(0, 0, 0));
// Text doubled with edge-preserving scaling, so diagonals stay smooth.
void drawText2x(Image& im, int x, int y, const std::string& s, Col top, Col bottom, Col shadow);
// 3x5 digits for power-up badges.
void drawTinyDigits(Image& im, int x, int y, const char* digits, Col c);
