// RGBA canvas, seeded random numbers and the drawing primitives every painter shares.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Col {
  uint8_t r = 0, g = 0, b = 0, a = 0;
};

Col rgb(int r, int g, int b, int a = 255);
Col mixCol(Col a, Col b, float t);  // t = 0 gives a, 1 gives b
Col scaleCol(Col c, float f);       // brightness multiply, alpha kept
Col withAlpha(Col c, int a);

// A ramp runs from darkest to lightest shade of one material.
using Ramp = std::vector<Col>;
Ramp makeRamp(Col dark, Col mid, Col light, int steps);

struct Image {
  int w = 0, h = 0;
  bool wrapX = false;  // drawing past the left/right edge reappears on the other side
  std::vector<Col> px;

  Image() = default;
  Image(int width, int height, Col fill = Col());
  Col get(int x, int y) const;  // outside: transparent (or wrapped in x)
  void set(int x, int y, Col c);
  void blend(int x, int y, Col c);  // alpha "over"
  bool opaque(int x, int y) const { return get(x, y).a >= 128; }
};

// Small, fast, fully deterministic generator (xorshift64*); never the C library's.
struct Rng {
  uint64_t s;
  explicit Rng(uint64_t seed);
  uint32_t next();
  float uni();  // [0,1)
  float range(float lo, float hi);
  int irange(int lo, int hi);  // inclusive
};

// Ordered 4x4 dither: true when level t (0..1) should round up at this pixel.
bool ditherUp(int x, int y, float t);
// Picks a ramp entry for t in 0..1 with ordered dithering between neighbours.
Col rampAt(const Ramp& r, float t, int x, int y);

struct Pt {
  float x, y;
};

void fillRect(Image& im, int x, int y, int w, int h, Col c);
void blendRect(Image& im, int x, int y, int w, int h, Col c);
void fillEllipse(Image& im, float cx, float cy, float rx, float ry, Col c);
void fillPoly(Image& im, const std::vector<Pt>& pts, Col c);
void drawLine(Image& im, int x0, int y0, int x1, int y1, Col c);
void thickLine(Image& im, float x0, float y0, float x1, float y1, float r, Col c);
void blit(Image& dst, const Image& src, int x, int y);
void blitOpaque(Image& dst, const Image& src, int x, int y);  // copies every non-transparent pixel

// Sphere-lit ellipse: light comes from the upper left, shades chosen from the ramp.
void shadeEllipse(Image& im, float cx, float cy, float rx, float ry, const Ramp& r,
                  float bias = 0.f);
// Fills a polygon with bevel shading: lit top-left rims, dark bottom-right rims.
void shadePoly(Image& im, const std::vector<Pt>& pts, const Ramp& r, float bias = 0.f);
// Shades every opaque pixel of a mask (any alpha >= 128) onto im.
void shadeMask(Image& im, const Image& mask, const Ramp& r, float bias = 0.f);

// One-pixel outline in colour c around every opaque pixel (4-neighbourhood).
void outline(Image& im, Col c);
Image silhouette(const Image& src, Col c);
Image crop(const Image& src, int x, int y, int w, int h);
Image scaleNearest(const Image& src, int factor);
Image scale2x(const Image& src);  // edge-preserving pixel-art doubling
Image flipX(const Image& src);

// Assembles frames into a sheet, ten cells to a row, sized exactly for the frames.
Image makeSheet(const std::vector<Image>& frames);

// Periodic 1-D value noise: period in samples, smooth (cosine) interpolation, range 0..1.
struct PeriodicNoise {
  std::vector<float> v;
  int period = 1, cell = 1;
  PeriodicNoise(uint64_t seed, int period, int cell);
  float at(float x) const;
};
// Sum of octaves of periodic noise, each octave half the cell size; result 0..1.
float fractal(const std::vector<PeriodicNoise>& oct, float x);
std::vector<PeriodicNoise> makeOctaves(uint64_t seed, int period, int firstCell, int count);

// Two-dimensional noise periodic in x (period px), smooth, 0..1.
float noise2(uint64_t seed, float x, float y, int periodX, int cell);
