// PNG screenshots through stb_image_write (the only place that compiles it).
#include "tools/runner/screenshot.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {
Uint32 readRawPixel(const Uint8* row, int x, int bytesPerPixel) {
  switch (bytesPerPixel) {
    case 1: return row[x];
    case 2: return reinterpret_cast<const Uint16*>(row)[x];
    case 3: {
      const Uint8* p = row + 3 * x;
      return SDL_BYTEORDER == SDL_BIG_ENDIAN ? (p[0] << 16 | p[1] << 8 | p[2])
                                             : (p[0] | p[1] << 8 | p[2] << 16);
    }
    default: return reinterpret_cast<const Uint32*>(row)[x];
  }
}
}  // namespace

std::vector<unsigned char> surfaceToRgb(SDL_Surface* surface) {
  std::vector<unsigned char> rgb;
  if (surface == nullptr) return rgb;
  rgb.resize(static_cast<size_t>(surface->w) * surface->h * 3);
  SDL_LockSurface(surface);
  const int bpp = surface->format->BytesPerPixel;
  size_t out = 0;
  for (int y = 0; y < surface->h; y++) {
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < surface->w; x++) {
      Uint8 r, g, b;
      SDL_GetRGB(readRawPixel(row, x, bpp), surface->format, &r, &g, &b);
      rgb[out++] = r;
      rgb[out++] = g;
      rgb[out++] = b;
    }
  }
  SDL_UnlockSurface(surface);
  return rgb;
}

Uint32 surfaceChecksum(SDL_Surface* surface) {
  if (surface == nullptr) return 0;
  const Uint32 FNV_OFFSET = 2166136261u;
  const Uint32 FNV_PRIME = 16777619u;
  Uint32 hash = FNV_OFFSET;
  SDL_LockSurface(surface);
  const int rowBytes = surface->w * surface->format->BytesPerPixel;  // the pitch may pad rows
  for (int y = 0; y < surface->h; y++) {
    const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    for (int i = 0; i < rowBytes; i++) hash = (hash ^ row[i]) * FNV_PRIME;
  }
  SDL_UnlockSurface(surface);
  return hash;
}

bool writeSurfacePng(SDL_Surface* surface, const std::string& path) {
  if (surface == nullptr) return false;
  std::vector<unsigned char> rgb = surfaceToRgb(surface);
  return stbi_write_png(path.c_str(), surface->w, surface->h, 3, rgb.data(), surface->w * 3) != 0;
}
