// The game's own pixel font: a proportional face for ASCII 32-126, capitals 7 pixels tall,
// written as a BDF bitmap font (FreeType reads it through SDL_ttf) and drawn into pictures.
#pragma once
#include <string>

#include "canvas.h"

constexpr int FONT_ASCENT = 7;   // rows above the baseline: the capital height
constexpr int FONT_DESCENT = 2;  // rows below it, for g, j, p, q, y and the comma

// Glyph of character c (32..126; anything else draws as '?'): width in pixels and whether
// pixel (x, row) is inked, row 0 being the top of a capital.
int glyphWidth(char c);
bool glyphInk(char c, int x, int row);
// Advance of a line of text in pixels: each glyph's width plus one pixel of spacing.
int pixelTextWidth(const std::string& s);
// Writes the font as BDF, and the licence note beside it.
bool writePixelFont(const std::string& bdfPath, const std::string& licencePath);
