// Run encoding of sprite sheets and drawing by runs.
#include "engine/pixel_runs.h"

#include <algorithm>
#include <cstring>

#include "platform/pixels/memory_blit.h"
#include "platform/pixels/rgb565.h"
#include "platform/sdl_bridges.h"

namespace {
const int FEW_RUNS = 8;  // a row of more runs is searched by halving
using rgb565::alphaOpaque;
using rgb565::alphaVisible;
using rgb565::blendPrepared;
using rgb565::isArgb8888;
using rgb565::isRgb565;
using rgb565::prepareArgb;

const Uint8* rowOf(const SDL_Surface* s, int y) {
  return static_cast<const Uint8*>(s->pixels) + y * s->pitch;
}

// Runs are the longest stretches of visible pixels that are all opaque or all not.
template <typename Visible, typename Opaque>
pixelRuns* encode(SDL_Surface* image, bool alpha, Visible visible, Opaque opaque) {
  if (image->pixels == nullptr || surfaceMustLock(image)) return nullptr;
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
      if (x >= image->w) break;
      int start = x;
      bool solid = opaque(row, x);
      while (x < image->w && visible(row, x) && opaque(row, x) == solid) x++;
      encoded->runs.push_back({static_cast<Uint16>(start), static_cast<Uint16>(x - start),
                               static_cast<Uint32>(encoded->prepared.size()), solid});
      if (!alpha) continue;
      const Uint32* pixels = reinterpret_cast<const Uint32*>(row);
      for (int i = start; i < x; i++) encoded->prepared.push_back(prepareArgb(pixels[i]));
    }
  }
  encoded->rowStart.push_back(static_cast<Uint32>(encoded->runs.size()));
  return encoded;
}
}  // namespace

pixelRuns* pixelRuns::encodeKeyed(SDL_Surface* image, Uint32 key) {
  if (image == nullptr || !isRgb565(image->format) || image->w > 0xFFFF) return nullptr;
  Uint16 key16 = static_cast<Uint16>(key);
  pixelRuns* encoded = encode(
      image, false,
      [key16](const Uint8* row, int x) { return reinterpret_cast<const Uint16*>(row)[x] != key16; },
      [](const Uint8*, int) { return true; });
  if (encoded != nullptr) encoded->key = key;
  return encoded;
}

pixelRuns* pixelRuns::encodeAlpha(SDL_Surface* image) {
  if (image == nullptr || !isArgb8888(image->format) || image->w > 0xFFFF) return nullptr;
  return encode(
      image, true,
      [](const Uint8* row, int x) { return alphaVisible(reinterpret_cast<const Uint32*>(row)[x]); },
      [](const Uint8* row, int x) { return alphaOpaque(reinterpret_cast<const Uint32*>(row)[x]); });
}

void pixelRuns::drawRow(const Uint8* imageRow, Uint16* targetRow, int srcX, int w, int y) const {
  int end = srcX + w;
  // A sheet row holds the runs of every cell along it: skip those left of the window by
  // halving instead of one at a time (runs are in column order and do not overlap). Rows
  // of a few runs, as in the background layers, are quicker walked.
  const run* rowEnd = runs.data() + rowStart[y + 1];
  const run* first = runs.data() + rowStart[y];
  const auto leftOfWindow = [srcX](const run& r) { return r.x + r.length <= srcX; };
  if (rowEnd - first > FEW_RUNS) {
    first = std::partition_point(first, rowEnd, leftOfWindow);
  } else {
    while (first != rowEnd && leftOfWindow(*first)) first++;
  }
  for (const run* r = first; r != rowEnd; r++) {
    int from = r->x;
    int to = from + r->length;
    if (from >= end) break;
    if (from < srcX) from = srcX;
    if (to > end) to = end;
    Uint16* out = targetRow + (from - srcX);
    if (!alpha) {
      memcpy(out, reinterpret_cast<const Uint16*>(imageRow) + from,
             static_cast<size_t>(to - from) * 2);
      continue;
    }
    drawPrepared(*r, from, to, out);
  }
}

// Columns from to to (image columns) of an alpha image's run, onto out.
void pixelRuns::drawPrepared(const run& r, int from, int to, Uint16* out) const {
  const Uint32* in = prepared.data() + r.at + (from - r.x);
  int n = to - from;
  if (r.opaque) {
    for (; n > 0; n--) *out++ = static_cast<Uint16>(*in++);
  } else {
    for (; n > 0; n--, in++, out++) *out = blendPrepared(*in, *out);
  }
}

// An image with its own alpha blends by it alone while SDL_SRCALPHA is on: every SDL 1.2
// ignores the surface-wide alpha then (the classic one leaves it 0 after a conversion).
bool pixelRuns::drawsAsEncoded(SDL_Surface* image) const {
  if (alpha) return (image->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA)) == SDL_SRCALPHA;
  return (image->flags & (SDL_SRCCOLORKEY | SDL_SRCALPHA)) == SDL_SRCCOLORKEY &&
         surfaceColourKey(image) == key;
}

bool pixelRuns::draw(SDL_Surface* image, const SDL_Rect& src, SDL_Surface* target,
                     SDL_Rect& dst) const {
  if (image == nullptr || target == nullptr || !isRgb565(target->format)) return false;
  if (!drawsAsEncoded(image)) return false;
  if (target->pixels == nullptr && !surfaceMustLock(target)) return false;
  int srcX = src.x, srcY = src.y, w = src.w, h = src.h;
  int dstX = dst.x, dstY = dst.y;
  const SDL_Rect& clip = target->clip_rect;
  clipBlitSpan(srcX, dstX, w, image->w, clip.x, clip.w);
  clipBlitSpan(srcY, dstY, h, image->h, clip.y, clip.h);
  dst.x = static_cast<Sint16>(dstX);
  dst.y = static_cast<Sint16>(dstY);
  if (w <= 0 || h <= 0) {
    dst.w = dst.h = 0;
    return true;
  }
  dst.w = static_cast<Uint16>(w);
  dst.h = static_cast<Uint16>(h);
  bool locked = surfaceMustLock(target);
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
