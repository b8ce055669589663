// The TrueType calls the game makes, answered from its generated bitmap font where no
// SDL_ttf reads the file: the browser's ignores it and draws with the page's fonts, and the
// Windows build carries none (Debian's source could not be fetched to build one). The
// answers are the desktop library's for the same fixed-size face: the line's height as its
// ascent, each glyph's bitmap from the top of the line, 0 or 255 coverage.
#include <SDL/SDL_ttf.h>

#include "platform/pixels/bitmap_font.h"

struct _TTF_Font {
  bitmapFont face;
};

namespace {
// The desktop library counts a fixed-size face's height in whole 64ths of a pixel.
int heightIn64ths(const bitmapFont& face) { return (face.height + 63) / 64; }
}  // namespace

extern "C" {
int TTF_Init(void) { return 0; }
void TTF_Quit(void) {}
int TTF_WasInit(void) { return 1; }

TTF_Font* TTF_OpenFont(const char* file, int) {
  TTF_Font* font = new TTF_Font();
  if (font->face.load(file)) return font;
  delete font;
  SDL_SetError("Cannot read the font %s", file);
  return nullptr;
}

void TTF_CloseFont(TTF_Font* font) { delete font; }

int TTF_FontHeight(const TTF_Font* font) { return font->face.height; }
int TTF_FontAscent(const TTF_Font* font) { return font->face.height; }
int TTF_FontDescent(const TTF_Font*) { return 0; }
int TTF_FontLineSkip(const TTF_Font* font) { return heightIn64ths(font->face); }

int TTF_GlyphMetrics(TTF_Font* font, Uint16 ch, int* minx, int* maxx, int* miny, int* maxy,
                     int* advance) {
  const bitmapGlyph* glyph =
      ch < 256 ? font->face.glyphFor(static_cast<unsigned char>(ch)) : nullptr;
  if (glyph == nullptr) return -1;
  if (minx != nullptr) *minx = glyph->xOffset;
  if (maxx != nullptr) *maxx = glyph->xOffset + glyph->advance;
  if (maxy != nullptr) *maxy = glyph->rowsAbove;
  if (miny != nullptr) *miny = glyph->rowsAbove - heightIn64ths(font->face);
  if (advance != nullptr) *advance = glyph->advance;
  return 0;
}

int TTF_SizeText(TTF_Font* font, const char* text, int* w, int* h) {
  if (font == nullptr || text == nullptr) return -1;
  if (w != nullptr) *w = font->face.textWidth(text);
  if (h != nullptr) *h = font->face.height;
  return 0;
}

SDL_Surface* TTF_RenderText_Blended(TTF_Font* font, const char* text, SDL_Color fg) {
  if (font == nullptr || text == nullptr) return nullptr;
  int width = 0;
  std::vector<Uint8> alpha = font->face.coverage(text, width);
  int height = font->face.height;
  if (width <= 0) return nullptr;
  // ARGB8888 with its alpha blending, as SDL_ttf renders it.
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x00FF0000, 0x0000FF00,
                                        0x000000FF, 0xFF000000);
  if (s == nullptr) return nullptr;
  Uint32 colour = static_cast<Uint32>(fg.r << 16 | fg.g << 8 | fg.b);
  for (int y = 0; y < height; y++) {
    Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < width; x++)
      row[x] = colour | static_cast<Uint32>(alpha[y * width + x]) << 24;
  }
  return s;
}

SDL_Surface* TTF_RenderText_Solid(TTF_Font* font, const char* text, SDL_Color fg) {
  return TTF_RenderText_Blended(font, text, fg);
}
}
