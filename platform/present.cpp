// Presenting a composed picture: the blit onto the display surface and the flip.
#include "platform/present.h"

#include <algorithm>

#include "platform/frame_shortcuts.h"
#include "platform/globals.h"
#include "platform/sdl_bridges.h"
#include "platform/text.h"

bool presentsAsCopy(const SDL_Surface* composed) {
  if (composed == nullptr || composed->format->Amask != 0) return false;
  if ((composed->flags & SDL_SRCCOLORKEY) != 0) return false;
  return (composed->flags & SDL_SRCALPHA) == 0 || surfaceAlpha(composed) == SDL_ALPHA_OPAQUE;
}

namespace {
void blitComposed(SDL_Surface* composed) {
  SDL_Rect dst = tempDstRect;  // the blit may clip the rectangle it is given
  // A surface-wide alpha of 255 leaves every pixel as it is, yet still sends the blit
  // down the blending path: copy the picture plainly, then give the surface its setting
  // back.
  bool opaque = frameShortcuts.opaqueCopy && presentsAsCopy(composed) &&
                (composed->flags & SDL_SRCALPHA) != 0;
  if (opaque) SDL_SetAlpha(composed, 0, SDL_ALPHA_OPAQUE);
  SDL_BlitSurface(composed, &tempSrcRect, globalScreen, &dst);
  if (opaque) SDL_SetAlpha(composed, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
}

// The rows the letters of a label cover, below the top of its line, from the glyphs' own
// metrics: capitals leave the line's descent empty, and it is the letters that are centred.
void letterRows(TTF_Font* font, const char* label, int& top, int& bottom) {
  int ascent = TTF_FontAscent(font);
  top = TTF_FontHeight(font);
  bottom = 0;
  for (const char* c = label; *c != '\0'; c++) {
    int minX, maxX, minY, maxY, advance;
    if (TTF_GlyphMetrics(font, static_cast<Uint8>(*c), &minX, &maxX, &minY, &maxY, &advance)) {
      continue;
    }
    top = std::min(top, ascent - maxY);
    bottom = std::max(bottom, ascent - minY);
  }
  if (bottom < top) top = bottom = 0;
}

// White, with a black shadow one pixel down and right to keep it readable on a light sky.
void drawCentredLabel(TTF_Font* font, const char* label) {
  int w = 0, h = 0, top = 0, bottom = 0;
  if (font == nullptr || label == nullptr || TTF_SizeText(font, label, &w, &h) != 0) return;
  letterRows(font, label, top, bottom);
  int x = (globalScreen->w - w) / 2;
  int y = (globalScreen->h - (bottom - top)) / 2 - top;
  drawFontText(font, globalScreen, label, x + 1, y + 1, 0, 0, 0);
  drawFontText(font, globalScreen, label, x, y, 255, 255, 255);
}
}  // namespace

void presentSurface(SDL_Surface* composed) {
  if (globalScreen == nullptr || composed == nullptr) return;
  blitComposed(composed);
  SDL_Flip(globalScreen);
}

void presentSurfaceLabelled(SDL_Surface* composed, TTF_Font* font, const char* label) {
  if (globalScreen == nullptr || composed == nullptr) return;
  blitComposed(composed);
  drawCentredLabel(font, label);
  SDL_Flip(globalScreen);
}
