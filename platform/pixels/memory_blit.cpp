// Blits, fills and conversion on pixels in memory, with a desktop SDL's arithmetic.
#include "platform/pixels/memory_blit.h"

#include <cstring>

#include "platform/pixels/rgb565.h"

namespace {
Uint8* pixelAt(const SDL_Surface* s, int x, int y) {
  return static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
}

Uint32 readPixel(const Uint8* p, int bytes) {
  switch (bytes) {
    case 1: return *p;
    case 2: return *reinterpret_cast<const Uint16*>(p);
    case 3: return static_cast<Uint32>(p[0] | p[1] << 8 | p[2] << 16);
    default: return *reinterpret_cast<const Uint32*>(p);
  }
}

void writePixel(Uint8* p, int bytes, Uint32 v) {
  switch (bytes) {
    case 1: *p = static_cast<Uint8>(v); break;
    case 2: *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(v); break;
    case 3:
      p[0] = static_cast<Uint8>(v);
      p[1] = static_cast<Uint8>(v >> 8);
      p[2] = static_cast<Uint8>(v >> 16);
      break;
    default: *reinterpret_cast<Uint32*>(p) = v;
  }
}

int lowestBit(Uint32 mask) {
  int shift = 0;
  while (mask != 0 && (mask & 1) == 0) {
    mask >>= 1;
    shift++;
  }
  return shift;
}

int bitCount(Uint32 mask) {
  int n = 0;
  for (; mask != 0; mask &= mask - 1) n++;
  return n;
}

Uint8 channelOf(Uint32 pixel, Uint32 mask) {
  int bits = bitCount(mask);
  if (bits == 0) return 0;
  Uint32 v = (pixel & mask) >> lowestBit(mask);
  if (bits >= 8) return static_cast<Uint8>(v >> (bits - 8));
  Uint32 wide = v << (8 - bits);
  for (int have = bits; have < 8; have += bits) wide |= v << (8 - bits) >> have;
  return static_cast<Uint8>(wide);
}

Uint32 channelInto(Uint8 c, Uint32 mask) {
  int bits = bitCount(mask);
  if (bits == 0) return 0;
  Uint32 v = bits >= 8 ? static_cast<Uint32>(c) << (bits - 8) : c >> (8 - bits);
  return v << lowestBit(mask) & mask;
}

// The 565 to 565 cases, row by row: a copy, a keyed copy, a surface-wide blend.
void blit565(const Uint16* in, Uint16* out, int w, const blitManner& m) {
  bool blend = m.surfaceAlpha && m.alpha != SDL_ALPHA_OPAQUE;
  Uint16 key = static_cast<Uint16>(m.key);
  if (!m.keyed && !blend) {
    std::memmove(out, in, static_cast<size_t>(w) * 2);
    return;
  }
  for (int x = 0; x < w; x++) {
    if (m.keyed && in[x] == key) continue;
    out[x] = blend ? rgb565::blendSurface(in[x], out[x], m.alpha) : in[x];
  }
}

void blitArgbOnto565(const Uint32* in, Uint16* out, int w) {
  for (int x = 0; x < w; x++) out[x] = rgb565::blendArgb(in[x], out[x]);
}

// Any other pair of formats: channel by channel, alpha blending by the source's alpha
// channel or its surface alpha, the way SDL's general blitter does (divided by 255).
void blitAnyRow(const SDL_Surface* src, const Uint8* in, const SDL_Surface* dst, Uint8* out, int w,
                const blitManner& m) {
  const SDL_PixelFormat* sf = src->format;
  const SDL_PixelFormat* df = dst->format;
  for (int x = 0; x < w; x++, in += sf->BytesPerPixel, out += df->BytesPerPixel) {
    Uint32 s = readPixel(in, sf->BytesPerPixel);
    if (m.keyed && s == m.key) continue;
    Uint8 r, g, b, a;
    splitChannels(sf, s, &r, &g, &b, &a);
    if (!m.pixelAlpha) a = m.surfaceAlpha ? m.alpha : SDL_ALPHA_OPAQUE;
    if (a == 0) continue;
    if (a != SDL_ALPHA_OPAQUE) {
      Uint8 dr, dg, db, da;
      splitChannels(df, readPixel(out, df->BytesPerPixel), &dr, &dg, &db, &da);
      r = static_cast<Uint8>(((r - dr) * a + dr * 255) / 255);
      g = static_cast<Uint8>(((g - dg) * a + dg * 255) / 255);
      b = static_cast<Uint8>(((b - db) * a + db * 255) / 255);
      a = static_cast<Uint8>(a + da * (255 - a) / 255);
    }
    writePixel(out, df->BytesPerPixel, mapChannels(df, r, g, b, a));
  }
}

// Fields narrowed to the rectangle's own types (16 bits in SDL 1.2).
void setRect(SDL_Rect& r, int x, int y, int w, int h) {
  r.x = x;
  r.y = y;
  r.w = w;
  r.h = h;
}
}  // namespace

bool clipBlitSpan(int& srcStart, int& dstStart, int& length, int sourceLength, int clipStart,
                  int clipLength) {
  if (srcStart < 0) {
    length += srcStart;
    dstStart -= srcStart;
    srcStart = 0;
  }
  if (sourceLength - srcStart < length) length = sourceLength - srcStart;
  int over = clipStart - dstStart;
  if (over > 0) {
    length -= over;
    dstStart += over;
    srcStart += over;
  }
  over = dstStart + length - clipStart - clipLength;
  if (over > 0) length -= over;
  return length > 0;
}

Uint32 mapChannels(const SDL_PixelFormat* f, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
  return channelInto(r, f->Rmask) | channelInto(g, f->Gmask) | channelInto(b, f->Bmask) |
         channelInto(a, f->Amask);
}

void splitChannels(const SDL_PixelFormat* f, Uint32 pixel, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
  *r = channelOf(pixel, f->Rmask);
  *g = channelOf(pixel, f->Gmask);
  *b = channelOf(pixel, f->Bmask);
  *a = f->Amask != 0 ? channelOf(pixel, f->Amask) : SDL_ALPHA_OPAQUE;
}

blitManner mannerOf(const SDL_Surface* src, Uint32 key, Uint8 alpha) {
  blitManner manner;
  manner.keyed = (src->flags & SDL_SRCCOLORKEY) != 0;
  manner.key = key;
  bool blends = (src->flags & SDL_SRCALPHA) != 0;
  manner.pixelAlpha = blends && src->format->Amask != 0;
  manner.surfaceAlpha = blends && src->format->Amask == 0;
  manner.alpha = alpha;
  return manner;
}

bool clipBlit(const SDL_Surface* src, const SDL_Rect* srcrect, const SDL_Surface* dst, SDL_Rect& to,
              SDL_Rect& from) {
  int sx = 0, sy = 0, w = src->w, h = src->h, dx = to.x, dy = to.y;
  if (srcrect != nullptr) {
    sx = srcrect->x;
    sy = srcrect->y;
    w = srcrect->w;
    h = srcrect->h;
  }
  const SDL_Rect& clip = dst->clip_rect;
  bool any = clipBlitSpan(sx, dx, w, src->w, clip.x, clip.w);
  any = clipBlitSpan(sy, dy, h, src->h, clip.y, clip.h) && any;
  setRect(from, sx, sy, w, h);
  setRect(to, dx, dy, any ? w : 0, any ? h : 0);
  return any;
}

void blitMemory(const SDL_Surface* src, const SDL_Rect& from, SDL_Surface* dst, int x, int y,
                const blitManner& manner) {
  const SDL_PixelFormat* sf = src->format;
  bool onto565 = rgb565::isRgb565(dst->format);
  bool from565 = onto565 && rgb565::isRgb565(sf);
  bool argb = onto565 && manner.pixelAlpha && !manner.keyed && rgb565::isArgb8888(sf);
  size_t rowBytes = static_cast<size_t>(from.w) * sf->BytesPerPixel;
  for (int row = 0; row < from.h; row++) {
    const Uint8* in = pixelAt(src, from.x, from.y + row);
    Uint8* out = pixelAt(dst, x, y + row);
    if (from565) {
      blit565(reinterpret_cast<const Uint16*>(in), reinterpret_cast<Uint16*>(out), from.w, manner);
    } else if (argb) {
      blitArgbOnto565(reinterpret_cast<const Uint32*>(in), reinterpret_cast<Uint16*>(out), from.w);
    } else if (sf->BytesPerPixel == dst->format->BytesPerPixel && !manner.keyed &&
               !manner.pixelAlpha && !manner.surfaceAlpha && sf->Rmask == dst->format->Rmask &&
               sf->Gmask == dst->format->Gmask && sf->Bmask == dst->format->Bmask &&
               sf->Amask == dst->format->Amask) {
      std::memmove(out, in, rowBytes);
    } else {
      blitAnyRow(src, in, dst, out, from.w, manner);
    }
  }
}

void fillMemory(SDL_Surface* dst, const SDL_Rect* rect, Uint32 colour) {
  const SDL_Rect& clip = dst->clip_rect;
  int x0 = clip.x, y0 = clip.y, x1 = clip.x + clip.w, y1 = clip.y + clip.h;
  if (rect != nullptr) {
    // In int: a rectangle off the clip gives a negative size, which SDL_Rect's 16 bits wrap.
    if (rect->x > x0) x0 = rect->x;
    if (rect->y > y0) y0 = rect->y;
    if (rect->x + rect->w < x1) x1 = rect->x + rect->w;
    if (rect->y + rect->h < y1) y1 = rect->y + rect->h;
  }
  if (x1 <= x0 || y1 <= y0) return;
  int bytes = dst->format->BytesPerPixel;
  for (int y = y0; y < y1; y++) {
    Uint8* p = pixelAt(dst, x0, y);
    if (bytes == 2) {
      Uint16* q = reinterpret_cast<Uint16*>(p);
      for (int x = 0; x < x1 - x0; x++) q[x] = static_cast<Uint16>(colour);
    } else {
      for (int x = x0; x < x1; x++, p += bytes) writePixel(p, bytes, colour);
    }
  }
}

void convertMemory(const SDL_Surface* src, SDL_Surface* dst) {
  const SDL_PixelFormat* sf = src->format;
  const SDL_PixelFormat* df = dst->format;
  for (int y = 0; y < src->h && y < dst->h; y++) {
    const Uint8* in = pixelAt(src, 0, y);
    Uint8* out = pixelAt(dst, 0, y);
    for (int x = 0; x < src->w && x < dst->w; x++) {
      Uint8 r, g, b, a;
      splitChannels(sf, readPixel(in, sf->BytesPerPixel), &r, &g, &b, &a);
      writePixel(out, df->BytesPerPixel, mapChannels(df, r, g, b, a));
      in += sf->BytesPerPixel;
      out += df->BytesPerPixel;
    }
  }
}
