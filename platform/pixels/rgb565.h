// The arithmetic of SDL's blits onto 16-bit RGB565 pixels: per-pixel alpha from ARGB8888
// and a surface-wide alpha between two 16-bit pixels, as a desktop SDL computes them.
#pragma once
#include <SDL/SDL.h>

namespace rgb565 {
const Uint32 RED = 0xF800, GREEN = 0x07E0, BLUE = 0x001F;
// The three channels spread out in one word (green moved up), blended at once.
const Uint32 SPREAD = 0x07E0F81F;

// Blending uses the top five bits of alpha: below 8 a pixel changes nothing, from 248 on
// it replaces the target.
inline bool alphaVisible(Uint32 argb) { return (argb >> 27) != 0; }
inline bool alphaOpaque(Uint32 argb) { return (argb >> 27) == 31; }

inline Uint16 fromArgb(Uint32 s) {
  return static_cast<Uint16>((s >> 8 & RED) + (s >> 5 & GREEN) + (s >> 3 & BLUE));
}

// An ARGB pixel made ready for blending once: opaque, its RGB565 value; else its five-bit
// alpha in bits 27 to 31 over its channels spread out.
inline Uint32 prepareArgb(Uint32 s) {
  if (alphaOpaque(s)) return fromArgb(s);
  return (s >> 27 << 27) + ((s & 0xFC00) << 11) + (s >> 8 & RED) + (s >> 3 & BLUE);
}

// A prepared translucent pixel over a 16-bit one.
inline Uint16 blendPrepared(Uint32 p, Uint16 dst) {
  Uint32 alpha = p >> 27;
  Uint32 d = dst;
  d = (d | d << 16) & SPREAD;
  d += ((p & SPREAD) - d) * alpha >> 5;
  d &= SPREAD;
  return static_cast<Uint16>(d | d >> 16);
}

// An ARGB pixel blended onto a 16-bit one.
inline Uint16 blendArgb(Uint32 s, Uint16 dst) {
  if (!alphaVisible(s)) return dst;
  if (alphaOpaque(s)) return fromArgb(s);
  return blendPrepared(prepareArgb(s), dst);
}

// A 16-bit pixel over another at a surface-wide alpha below 255: half and half exactly at
// 128, else five-bit alpha on the spread channels.
inline Uint16 blendSurface(Uint16 src, Uint16 dst, Uint8 alpha) {
  if (alpha == 128) {
    const Uint32 mask = 0xF7DE;  // the low bit of each channel, lost by the halving
    return static_cast<Uint16>((((src & mask) + (dst & mask)) >> 1) + (src & dst & ~mask & 0xFFFF));
  }
  Uint32 s = (src | static_cast<Uint32>(src) << 16) & SPREAD;
  Uint32 d = (dst | static_cast<Uint32>(dst) << 16) & SPREAD;
  d += (s - d) * (alpha >> 3u) >> 5;
  d &= SPREAD;
  return static_cast<Uint16>(d | d >> 16);
}

inline bool isRgb565(const SDL_PixelFormat* f) {
  return f->BytesPerPixel == 2 && f->Rmask == RED && f->Gmask == GREEN && f->Bmask == BLUE;
}

inline bool isArgb8888(const SDL_PixelFormat* f) {
  return f->BytesPerPixel == 4 && f->Amask == 0xFF000000u && f->Rmask == 0x00FF0000u &&
         f->Gmask == 0x0000FF00u && f->Bmask == 0x000000FFu;
}
}  // namespace rgb565
