// The visible runs of a sprite sheet, row by row: drawing walks the runs instead of
// testing every pixel, and skips the transparent stretches between them. Drawing gives
// the very pixels SDL's blit gives (colour key, or per-pixel alpha onto 16 bits).
#pragma once
#include <SDL/SDL.h>

#include <vector>

class pixelRuns {
 public:
  struct run {
    Uint16 x;  // first column of the run
    Uint16 length;
    Uint32 at;    // alpha images: index of the run's first pixel in `prepared`
    bool opaque;  // every pixel replaces the target's (keyed runs always do)
  };
  bool alpha;                    // per-pixel alpha (32-bit image); else colour-keyed 16-bit
  Uint32 key;                    // the colour key of a keyed image
  std::vector<Uint32> rowStart;  // runs of row y: runs[rowStart[y]] to runs[rowStart[y + 1]]
  std::vector<run> runs;
  // Alpha images, converted once at load: an opaque pixel as its RGB565 value, any other
  // as its five-bit alpha in bits 27 to 31 over its channels spread out for blending.
  std::vector<Uint32> prepared;

  // Encodes a colour-keyed 16-bit image (pixels equal to key are transparent), or a 32-bit
  // image with an alpha channel (pixels blended onto 16 bits with alpha below 8 are
  // transparent). Null for any other kind of image.
  static pixelRuns* encodeKeyed(SDL_Surface* image, Uint32 key);
  static pixelRuns* encodeAlpha(SDL_Surface* image);

  // SDL_BlitSurface(image, src, target, dst) for an image encoded here: clips the same way
  // and leaves the clipped rectangle in dst. Returns false, drawing nothing, when the
  // target's format is one it does not draw onto (the caller then blits with SDL).
  bool draw(SDL_Surface* image, const SDL_Rect& src, SDL_Surface* target, SDL_Rect& dst) const;
  // Whether the image is still drawn the way it was encoded for: with the key its runs were
  // found with, or blending by its own alpha (SDL_SRCALPHA on, no key). Otherwise drawing
  // is left to SDL.
  bool drawsAsEncoded(SDL_Surface* image) const;

 private:
  void drawRow(const Uint8* imageRow, Uint16* targetRow, int srcX, int w, int y) const;
  void drawPrepared(const run& r, int from, int to, Uint16* out) const;
};
