// Run encoding of sprite sheets and drawing by runs.
#include "engine/pixel_runs.h"

#include <cstring>

#include "platform/sdl_bridges.h"

namespace {
const Uint32 RGB565_RED = 0xF800, RGB565_GREEN = 0x07E0, RGB565_BLUE = 0x001F;

bool isRgb565(const SDL_PixelFormat* f) {
  return f->BytesPerPixel == 2 && f->Rmask == RGB565_RED && f->Gmask == RGB565_GREEN &&
         f->Bmask == RGB565_BLUE;
}

bool isArgb8888(const SDL_PixelFormat* f) {
  return f->BytesPerPixel == 4 && f->Amask == 0xFF000000u && f->Rmask == 0x00FF0000u &&
         f->Gmask == 0x0000FF00u && f->Bmask == 0x000000FFu;
}

const Uint8* rowOf(const SDL_Surface* s, int y) {
  return static_cast<const Uint8*>(s->pixels) + y * s->pitch;
}

// Blending onto 16 bits uses the top five bits of alpha: below 8 a pixel changes nothing.
bool alphaVisible(Uint32 argb) { return (argb >> 27) != 0; }

// One ARGB pixel over a 16-bit one, with the arithmetic of SDL's ARGB to RGB565 blit:
// five-bit alpha, opaque from 248, the three channels blended at once in one word.
inline Uint16 blendOnto565(Uint32 s, Uint16 dst) {
  Uint32 alpha = s >> 27;
  if (alpha == 31)
    return static_cast<Uint16>((s >> 8 & 0xF800) + (s >> 5 & 0x7E0) + (s >> 3 & 0x1F));
  Uint32 d = dst;
  s = ((s & 0xFC00) << 11) + (s >> 8 & 0xF800) + (s >> 3 & 0x1F);
  d = (d | d << 16) & 0x07E0F81F;
  d += (s - d) * alpha >> 5;
  d &= 0x07E0F81F;
  return static_cast<Uint16>(d | d >> 16);
}

template <typename Visible>
pixelRuns* encode(SDL_Surface* image, bool alpha, Visible visible) {
  if (image->pixels == nullptr || SDL_MUSTLOCK(image)) return nullptr;
  pixelRuns* encoded = new pixelRuns();
  encoded->alpha = alpha;
  encoded->key = 0;
  encoded->rowStart.reserve(image->h + 1);
  for (int y = 0; y < image->h; y++) {
    encoded->rowStart.push_back(static_cast<Uint32>(encoded->runs.size()));
    const Uint8* row = rowOf(image, y);
    int x = 0;
    while (x < image->w) {
      while (x < image->w && !visible(row, x)) x++;
      int start = x;
      while (x < image->w && visible(row, x)) x++;
      if (x > start) {
        encoded->runs.push_back({static_cast<Uint16>(start), static_cast<Uint16>(x - start)});
      }
    }
  }
  encoded->rowStart.push_back(static_cast<Uint32>(encoded->runs.size()));
  return encoded;
}
}  // namespace

pixelRuns* pixelRuns::encodeKeyed(SDL_Surface* image, Uint32 key) {
  if (image == nullptr || !isRgb565(image->format) || image->w > 0xFFFF) return nullptr;
  Uint16 key16 = static_cast<Uint16>(key);
  pixelRuns* encoded = encode(image, false, [key16](const Uint8* row, int x) {
    return reinterpret_cast<const Uint16*>(row)[x] != key16;
  });
  if (encoded != nullptr) encoded->key = key;
  return encoded;
}

pixelRuns* pixelRuns::encodeAlpha(SDL_Surface* image) {
  if (image == nullptr || !isArgb8888(image->format) || image->w > 0xFFFF) return nullptr;
  return encode(image, true, [](const Uint8* row, int x) {
    return alphaVisible(reinterpret_cast<const Uint32*>(row)[x]);
  });
}

void pixelRuns::drawRow(const Uint8* imageRow, Uint16* targetRow, int srcX, int w, int y) const {
  int end = srcX + w;
  for (Uint32 i = rowStart[y]; i < rowStart[y + 1]; i++) {
    int from = runs[i].x;
    int to = from + runs[i].length;
    if (to <= srcX) continue;
    if (from >= end) break;  // runs are in column order
    if (from < srcX) from = srcX;
    if (to > end) to = end;
    Uint16* out = targetRow + (from - srcX);
    if (!alpha) {
      memcpy(out, reinterpret_cast<const Uint16*>(imageRow) + from,
             static_cast<size_t>(to - from) * 2);
      continue;
    }
    const Uint32* in = reinterpret_cast<const Uint32*>(imageRow) + from;
    for (int n = to - from; n > 0; n--, in++, out++) *out = blendOnto565(*in, *out);
  }
}

namespace {
// One axis of clipping as SDL_BlitSurface does it: the source span to the image, then the
// destination span to the target's clip span, moving the source along. A length of zero
// or less is left when nothing remains.
void clipSpan(int& srcStart, int& dstStart, int& length, int imageLength, int clipStart,
              int clipLength) {
  if (srcStart < 0) {
    length += srcStart;
    dstStart -= srcStart;
    srcStart = 0;
  }
  if (imageLength - srcStart < length) length = imageLength - srcStart;
  int over = clipStart - dstStart;
  if (over > 0) {
    length -= over;
    dstStart += over;
    srcStart += over;
  }
  over = dstStart + length - clipStart - clipLength;
  if (over > 0) length -= over;
}
}  // namespace

bool pixelRuns::draw(SDL_Surface* image, const SDL_Rect& src, SDL_Surface* target,
                     SDL_Rect& dst) const {
  if (image == nullptr || target == nullptr || !isRgb565(target->format)) return false;
  // Only while the image is still drawn the way it was encoded for.
  if (alpha && ((image->flags & SDL_SRCCOLORKEY) != 0 || surfaceAlpha(image) != 255)) {
    return false;
  }
  if (!alpha && ((image->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA)) != SDL_SRCCOLORKEY ||
                 surfaceColourKey(image) != key)) {
    return false;
  }
  if (target->pixels == nullptr && !SDL_MUSTLOCK(target)) return false;
  int srcX = src.x, srcY = src.y, w = src.w, h = src.h;
  int dstX = dst.x, dstY = dst.y;
  const SDL_Rect& clip = target->clip_rect;
  clipSpan(srcX, dstX, w, image->w, clip.x, clip.w);
  clipSpan(srcY, dstY, h, image->h, clip.y, clip.h);
  dst.x = static_cast<Sint16>(dstX);
  dst.y = static_cast<Sint16>(dstY);
  if (w <= 0 || h <= 0) {
    dst.w = dst.h = 0;
    return true;
  }
  dst.w = static_cast<Uint16>(w);
  dst.h = static_cast<Uint16>(h);
  bool locked = SDL_MUSTLOCK(target);
  if (locked && SDL_LockSurface(target) != 0) return true;
  for (int row = 0; row < h; row++) {
    Uint16* targetRow = reinterpret_cast<Uint16*>(static_cast<Uint8*>(target->pixels) +
                                                  (dstY + row) * target->pitch) +
                        dstX;
    drawRow(rowOf(image, srcY + row), targetRow, srcX, w, srcY + row);
  }
  if (locked) SDL_UnlockSurface(target);
  return true;
}
