// Blits, fills and format conversion done on surfaces' pixels in memory, giving the pixels a
// desktop SDL 1.2 gives: the browser build's surfaces are drawn this way.
#pragma once
#include <SDL/SDL.h>

// How a source surface is drawn: its colour key, its surface-wide alpha (SDL_SRCALPHA) and
// whether its own alpha channel blends.
struct blitManner {
  bool keyed = false;
  Uint32 key = 0;
  bool surfaceAlpha = false;  // a 16-bit source blended at `alpha` (255 copies)
  Uint8 alpha = SDL_ALPHA_OPAQUE;
  bool pixelAlpha = false;  // a source with an alpha channel blended by it
};

// How SDL draws this surface, from its flags and the colour key and surface-wide alpha it
// was given (which the surface's back end keeps).
blitManner mannerOf(const SDL_Surface* src, Uint32 key, Uint8 alpha);

// SDL_UpperBlit's clipping: srcrect (null for the whole source) against the source, then
// the destination at to.x, to.y against dst's clip rectangle. Leaves the source part to
// draw in `from` and the covered area in `to` (0 by 0 when nothing remains, and false).
bool clipBlit(const SDL_Surface* src, const SDL_Rect* srcrect, const SDL_Surface* dst, SDL_Rect& to,
              SDL_Rect& from);

// One axis of SDL_UpperBlit's clipping: the source span to the source's length, then the
// destination span to the clip span, moving the source along; false when nothing remains.
bool clipBlitSpan(int& srcStart, int& dstStart, int& length, int sourceLength, int clipStart,
                  int clipLength);

// Draws the source part `from` (already clipped) at (x, y) of dst.
void blitMemory(const SDL_Surface* src, const SDL_Rect& from, SDL_Surface* dst, int x, int y,
                const blitManner& manner);

// SDL_FillRect: rect (null for all) clipped to dst's clip rectangle, filled with a pixel
// value of dst's format.
void fillMemory(SDL_Surface* dst, const SDL_Rect* rect, Uint32 colour);

// Copies every pixel of src into dst (the same size) in dst's format, channels cut to its
// bits, alpha 255 where src has none; no blending.
void convertMemory(const SDL_Surface* src, SDL_Surface* dst);

// A pixel value of the format from 8-bit channels, and back (channels widened by repeating
// their top bits, as SDL does).
Uint32 mapChannels(const SDL_PixelFormat* f, Uint8 r, Uint8 g, Uint8 b, Uint8 a);
void splitChannels(const SDL_PixelFormat* f, Uint32 pixel, Uint8* r, Uint8* g, Uint8* b, Uint8* a);
