// The game's generated font read straight from its BDF file, and lines of text drawn with it
// the way the desktop's TrueType library draws that bitmap font: used where no such library
// reads the file (the browser build).
#pragma once
#include <SDL/SDL.h>

#include <string>
#include <vector>

struct bitmapGlyph {
  int code = -1;                  // character code, -1 for an unused slot
  int width = 0;                  // bitmap columns
  int advance = 0;                // pixels to the next glyph
  int xOffset = 0;                // the bitmap's left edge from the pen, in pixels
  int rowsAbove = 0;              // bitmap rows above the baseline
  std::vector<std::string> rows;  // '#' inked, '.' empty, top row first
  bool inked(int x, int row) const;
};

class bitmapFont {
 public:
  int height = 0;  // the line: every glyph's bitmap sits at its top
  int defaultChar = '?';
  bitmapGlyph glyphs[256];

  // Reads a BDF file; false, with the font left empty, when it is not one.
  bool load(const char* path);
  bool parse(const std::string& text);
  // The glyph drawn for byte c: its own, else the default character's, else null.
  const bitmapGlyph* glyphFor(unsigned char c) const;
  // The width of a line of text (the sum of the advances) and its height (the line's).
  int textWidth(const char* text) const;
  // Alpha coverage of a line: width x height bytes, 255 where inked, 0 elsewhere.
  std::vector<Uint8> coverage(const char* text, int& width) const;
};
