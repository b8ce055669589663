// The game's pixel font: glyph designs for ASCII 32-126 and the BDF writer.
#include "pixelfont.h"

#include <cstdio>
#include <cstring>

#include "imageio.h"  // makeParentDirs

namespace {

// Rows from the top of a capital ('#' inked), separated by spaces; rows left out are blank.
// The first row's length is the glyph's width. Row 7 and 8 hang below the baseline.
struct Glyph {
  char c;
  const char* rows;
};

const Glyph GLYPHS[] = {
    {' ', "..."},
    {'!', "# # # # # . #"},
    {'"', "#.# #.#"},
    {'#', ".#.#. .#.#. ##### .#.#. ##### .#.#. .#.#."},
    {'$', "..#.. .#### #.#.. .###. ..#.# ####. ..#.."},
    {'%', "##..# ##..# ...#. ..#.. .#... #..## #..##"},
    {'&', ".##.. #..#. #.#.. .#... #.#.# #..#. .##.#"},
    {'\'', "# #"},
    {'(', "..# .#. #.. #.. #.. .#. ..#"},
    {')', "#.. .#. ..# ..# ..# .#. #.."},
    {'*', "..... ..#.. #.#.# .###. #.#.# ..#.."},
    {'+', "..... ..#.. ..#.. ##### ..#.. ..#.."},
    {',', ".. .. .. .. .. .# .# #."},
    {'-', ".... .... .... ####"},
    {'.', ". . . . . . #"},
    {'/', "....# ....# ...#. ..#.. .#... #.... #...."},
    {'0', ".###. #...# #..## #.#.# ##..# #...# .###."},
    {'1', ".#. ##. .#. .#. .#. .#. ###"},
    {'2', ".###. #...# ....# ...#. ..#.. .#... #####"},
    {'3', "##### ...#. ..#.. ...#. ....# #...# .###."},
    {'4', "...#. ..##. .#.#. #..#. ##### ...#. ...#."},
    {'5', "##### #.... ####. ....# ....# #...# .###."},
    {'6', "..##. .#... #.... ####. #...# #...# .###."},
    {'7', "##### ....# ...#. ..#.. .#... .#... .#..."},
    {'8', ".###. #...# #...# .###. #...# #...# .###."},
    {'9', ".###. #...# #...# .#### ....# ...#. .##.."},
    {':', ". . # . . . #"},
    {';', ".. .. .# .. .. .# .# #."},
    {'<', "...# ..#. .#.. #... .#.. ..#. ...#"},
    {'=', ".... .... #### .... ####"},
    {'>', "#... .#.. ..#. ...# ..#. .#.. #..."},
    {'?', ".###. #...# ....# ...#. ..#.. ..... ..#.."},
    {'@', ".###. #...# #.### #.#.# #.##. #.... .###."},
    {'A', ".###. #...# #...# ##### #...# #...# #...#"},
    {'B', "####. #...# #...# ####. #...# #...# ####."},
    {'C', ".###. #...# #.... #.... #.... #...# .###."},
    {'D', "####. #...# #...# #...# #...# #...# ####."},
    {'E', "##### #.... #.... ####. #.... #.... #####"},
    {'F', "##### #.... #.... ####. #.... #.... #...."},
    {'G', ".###. #...# #.... #.### #...# #...# .####"},
    {'H', "#...# #...# #...# ##### #...# #...# #...#"},
    {'I', "### .#. .#. .#. .#. .#. ###"},
    {'J', "..### ...#. ...#. ...#. ...#. #..#. .##.."},
    {'K', "#...# #..#. #.#.. ##... #.#.. #..#. #...#"},
    {'L', "#.... #.... #.... #.... #.... #.... #####"},
    {'M', "#...# ##.## #.#.# #.#.# #...# #...# #...#"},
    {'N', "#...# #...# ##..# #.#.# #..## #...# #...#"},
    {'O', ".###. #...# #...# #...# #...# #...# .###."},
    {'P', "####. #...# #...# ####. #.... #.... #...."},
    {'Q', ".###. #...# #...# #...# #.#.# #..#. .##.#"},
    {'R', "####. #...# #...# ####. #.#.. #..#. #...#"},
    {'S', ".#### #.... #.... .###. ....# ....# ####."},
    {'T', "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.."},
    {'U', "#...# #...# #...# #...# #...# #...# .###."},
    {'V', "#...# #...# #...# #...# #...# .#.#. ..#.."},
    {'W', "#...# #...# #...# #.#.# #.#.# #.#.# .#.#."},
    {'X', "#...# #...# .#.#. ..#.. .#.#. #...# #...#"},
    {'Y', "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#.."},
    {'Z', "##### ....# ...#. ..#.. .#... #.... #####"},
    {'[', "### #.. #.. #.. #.. #.. ###"},
    {'\\', "#.... #.... .#... ..#.. ...#. ....# ....#"},
    {']', "### ..# ..# ..# ..# ..# ###"},
    {'^', "..#.. .#.#. #...#"},
    {'_', "..... ..... ..... ..... ..... ..... ..... #####"},
    {'`', "#. .#"},
    {'a', "..... ..... .###. ....# .#### #...# .####"},
    {'b', "#.... #.... ####. #...# #...# #...# ####."},
    {'c', ".... .... .### #... #... #... .###"},
    {'d', "....# ....# .#### #...# #...# #...# .####"},
    {'e', "..... ..... .###. #...# ##### #.... .###."},
    {'f', "..## .#.. #### .#.. .#.. .#.. .#.."},
    {'g', "..... ..... .#### #...# #...# #...# .#### ....# .###."},
    {'h', "#.... #.... #.##. ##..# #...# #...# #...#"},
    {'i', ".#. ... ##. .#. .#. .#. ###"},
    {'j', "...# .... ..## ...# ...# ...# ...# #..# .##."},
    {'k', "#... #... #..# #.#. ##.. #.#. #..#"},
    {'l', "#.. #.. #.. #.. #.. #.. .##"},
    {'m', "..... ..... ##.#. #.#.# #.#.# #.#.# #...#"},
    {'n', "..... ..... #.##. ##..# #...# #...# #...#"},
    {'o', "..... ..... .###. #...# #...# #...# .###."},
    {'p', "..... ..... ####. #...# #...# #...# ####. #.... #...."},
    {'q', "..... ..... .#### #...# #...# #...# .#### ....# ....#"},
    {'r', ".... .... #.## ##.. #... #... #..."},
    {'s', ".... .... .### #... .##. ...# ###."},
    {'t', ".#.. .#.. #### .#.. .#.. .#.. ..##"},
    {'u', "..... ..... #...# #...# #...# #..## .##.#"},
    {'v', "..... ..... #...# #...# #...# .#.#. ..#.."},
    {'w', "..... ..... #...# #...# #.#.# #.#.# .#.#."},
    {'x', "..... ..... #...# .#.#. ..#.. .#.#. #...#"},
    {'y', "..... ..... #...# #...# #...# #...# .#### ....# .###."},
    {'z', "..... ..... ##### ...#. ..#.. .#... #####"},
    {'{', "..## .#.. .#.. #... .#.. .#.. ..##"},
    {'|', "# # # # # # # # #"},
    {'}', "##.. ..#. ..#. ...# ..#. ..#. ##.."},
    {'~', "..... ..... .#... #.#.# ...#."},
};

const Glyph& glyphOf(char c) {
  for (const Glyph& g : GLYPHS)
    if (g.c == c) return g;
  return glyphOf('?');
}

// The text of row `row` of a glyph, and its length (0 when the row is left out).
const char* rowOf(const Glyph& g, int row, int& len) {
  const char* p = g.rows;
  for (int r = 0; r < row && *p; ++r) {
    p = strchr(p, ' ');
    if (!p) break;
    ++p;
  }
  if (!p || !*p) {
    len = 0;
    return nullptr;
  }
  const char* end = strchr(p, ' ');
  len = end ? (int)(end - p) : (int)strlen(p);
  return p;
}

}  // namespace

int glyphWidth(char c) { return (int)strcspn(glyphOf(c).rows, " "); }

bool glyphInk(char c, int x, int row) {
  int len = 0;
  const char* r = rowOf(glyphOf(c), row, len);
  return r && x >= 0 && x < len && r[x] == '#';
}

int pixelTextWidth(const std::string& s) {
  int w = 0;
  for (char c : s) w += glyphWidth(c) + 1;
  return w;
}

static const char* LICENCE =
    "xirod.ttf: Skarnfall's own pixel font\n"
    "\n"
    "Despite its name this file is a BDF bitmap font (FreeType recognises the format from\n"
    "its content). Every glyph was designed for Skarnfall and is written by the game's\n"
    "media generator (media/pixelfont.cpp) at build time. The font is part of\n"
    "Skarnfall and may be copied, changed and redistributed under the same terms as the\n"
    "rest of the game.\n";

bool writePixelFont(const std::string& bdfPath, const std::string& licencePath) {
  makeParentDirs(bdfPath);
  FILE* fp = fopen(bdfPath.c_str(), "w");
  if (!fp) return false;
  const int height = FONT_ASCENT + FONT_DESCENT;
  fprintf(fp, "STARTFONT 2.1\nFONT -Skarnfall-Pixel-Medium-R-Normal--%d-80-75-75-P-50-ISO10646-1\n",
          height);
  fprintf(fp, "SIZE 8 75 75\nFONTBOUNDINGBOX 5 %d 0 %d\n", height, -FONT_DESCENT);
  fprintf(fp, "STARTPROPERTIES 7\nFAMILY_NAME \"Skarnfall Pixel\"\nWEIGHT_NAME \"Medium\"\n");
  fprintf(fp, "PIXEL_SIZE %d\nPOINT_SIZE 80\nFONT_ASCENT %d\nFONT_DESCENT %d\nDEFAULT_CHAR 63\n",
          height, FONT_ASCENT, FONT_DESCENT);
  fprintf(fp, "ENDPROPERTIES\nCHARS %d\n", (int)(sizeof GLYPHS / sizeof GLYPHS[0]));
  for (const Glyph& g : GLYPHS) {
    int w = glyphWidth(g.c);
    // Every bitmap covers the whole line height: SDL_ttf places a fixed-size glyph's bitmap
    // at the top of the line whatever its bearing, so short bitmaps would float upwards.
    fprintf(fp, "STARTCHAR U+%04X\nENCODING %d\nSWIDTH %d 0\nDWIDTH %d 0\nBBX %d %d 0 %d\nBITMAP\n",
            g.c, g.c, (w + 1) * 1000 / height, w + 1, w, height, -FONT_DESCENT);
    for (int row = 0; row < height; ++row) {
      unsigned bits = 0;
      for (int x = 0; x < w; ++x)
        if (glyphInk(g.c, x, row)) bits |= 0x80u >> x;
      fprintf(fp, "%02X\n", bits);
    }
    fprintf(fp, "ENDCHAR\n");
  }
  fprintf(fp, "ENDFONT\n");
  bool ok = fclose(fp) == 0;
  FILE* lp = fopen(licencePath.c_str(), "w");
  if (!lp) return false;
  fputs(LICENCE, lp);
  return fclose(lp) == 0 && ok;
}
