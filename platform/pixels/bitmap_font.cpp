// Reading a BDF bitmap font and laying out a line of its glyphs.
#include "platform/pixels/bitmap_font.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

bool bitmapGlyph::inked(int x, int row) const {
  if (row < 0 || row >= static_cast<int>(rows.size()) || x < 0) return false;
  const std::string& line = rows[static_cast<size_t>(row)];
  return x < static_cast<int>(line.size()) && line[static_cast<size_t>(x)] == '#';
}

namespace {
// One hexadecimal row of a BDF bitmap as '#' and '.', width columns from the left.
std::string bitmapRow(const std::string& hex, int width) {
  std::string row(static_cast<size_t>(width), '.');
  for (int x = 0; x < width; x++) {
    size_t digit = static_cast<size_t>(x / 4);
    if (digit >= hex.size()) break;
    int value = static_cast<int>(std::strtol(hex.substr(digit, 1).c_str(), nullptr, 16));
    if ((value & (8 >> (x % 4))) != 0) row[static_cast<size_t>(x)] = '#';
  }
  return row;
}

// Reads one STARTCHAR block's fields and bitmap; false on a malformed block.
bool readGlyph(std::istringstream& in, bitmapGlyph& glyph) {
  std::string word;
  int bitmapHeight = 0, yOffset = 0;
  while (in >> word) {
    if (word == "ENCODING") {
      in >> glyph.code;
    } else if (word == "DWIDTH") {
      int dy = 0;
      in >> glyph.advance >> dy;
    } else if (word == "BBX") {
      in >> glyph.width >> bitmapHeight >> glyph.xOffset >> yOffset;
      glyph.rowsAbove = bitmapHeight + yOffset;
    } else if (word == "BITMAP") {
      for (int row = 0; row < bitmapHeight && in >> word; row++) {
        glyph.rows.push_back(bitmapRow(word, glyph.width));
      }
    } else if (word == "ENDCHAR") {
      return !in.fail() && static_cast<int>(glyph.rows.size()) == bitmapHeight;
    }
  }
  return false;
}
}  // namespace

bool bitmapFont::load(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  std::string text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return parse(text);
}

bool bitmapFont::parse(const std::string& text) {
  std::istringstream in(text);
  std::string word;
  int ascent = 0, descent = 0;
  bool started = false, ended = false;
  *this = bitmapFont();
  while (!ended && in >> word) {
    if (word == "STARTFONT") started = true;
    if (!started) return false;
    if (word == "FONT_ASCENT") in >> ascent;
    if (word == "FONT_DESCENT") in >> descent;
    if (word == "DEFAULT_CHAR") in >> defaultChar;
    if (word == "ENDFONT") ended = true;
    if (word != "STARTCHAR") continue;
    bitmapGlyph glyph;
    if (!readGlyph(in, glyph)) break;
    if (glyph.code >= 0 && glyph.code < 256) glyphs[glyph.code] = glyph;
  }
  height = ascent + descent;
  if (!ended || height <= 0) *this = bitmapFont();
  return ended && height > 0;
}

const bitmapGlyph* bitmapFont::glyphFor(unsigned char c) const {
  if (glyphs[c].code >= 0) return &glyphs[c];
  if (defaultChar >= 0 && defaultChar < 256 && glyphs[defaultChar].code >= 0) {
    return &glyphs[defaultChar];
  }
  return nullptr;
}

int bitmapFont::textWidth(const char* text) const {
  int width = 0;
  for (const char* c = text; *c != '\0'; c++) {
    const bitmapGlyph* glyph = glyphFor(static_cast<unsigned char>(*c));
    if (glyph != nullptr) width += glyph->advance;
  }
  return width;
}

std::vector<Uint8> bitmapFont::coverage(const char* text, int& width) const {
  width = textWidth(text);
  std::vector<Uint8> alpha(static_cast<size_t>(width * height), 0);
  int pen = 0;
  for (const char* c = text; *c != '\0'; c++) {
    const bitmapGlyph* glyph = glyphFor(static_cast<unsigned char>(*c));
    if (glyph == nullptr) continue;
    // Each bitmap is placed from the top of the line, as the desktop draws a fixed-size
    // face whatever the glyph's bearing.
    for (int row = 0; row < height; row++) {
      for (int x = 0; x < glyph->width; x++) {
        int px = pen + glyph->xOffset + x;
        if (px >= 0 && px < width && glyph->inked(x, row)) {
          alpha[static_cast<size_t>(row * width + px)] = 255;
        }
      }
    }
    pen += glyph->advance;
  }
  return alpha;
}
