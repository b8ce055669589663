// Text for the title and instruction pictures: the 8-pixel TrueType face and a tiny digit font.
#pragma once
#include <string>

#include "canvas.h"

constexpr const char* FONT_PATH = "/usr/share/fonts/truetype/misaki/misaki_gothic.ttf";

bool openFont();
void closeFont();
// White glyphs on transparency, rendered without smoothing so pixels stay crisp.
Image textMask(const std::string& s);
int textWidth(const std::string& s);
// Text with a one-pixel drop shadow (shadow alpha 0 for none).
void drawText(Image& im, int x, int y, const std::string& s, Col fg, Col shadow = rgb(0, 0, 0));
// Text doubled with edge-preserving scaling, so diagonals stay smooth.
void drawText2x(Image& im, int x, int y, const std::string& s, Col top, Col bottom, Col shadow);
// 3x5 digits for power-up badges.
void drawTinyDigits(Image& im, int x, int y, const char* digits, Col c);
