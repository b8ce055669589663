// RGBA canvas, seeded random numbers and the drawing primitives every painter shares.
#include "canvas.h"

#include <algorithm>
#include <cmath>

static int clamp255(float v) { return v < 0 ? 0 : (v > 255 ? 255 : (int)(v + 0.5f)); }

Col rgb(int r, int g, int b, int a) {
  Col c;
  c.r = (uint8_t)std::clamp(r, 0, 255);
  c.g = (uint8_t)std::clamp(g, 0, 255);
  c.b = (uint8_t)std::clamp(b, 0, 255);
  c.a = (uint8_t)std::clamp(a, 0, 255);
  return c;
}

Col mixCol(Col a, Col b, float t) {
  t = std::clamp(t, 0.f, 1.f);
  return rgb(clamp255(a.r + (b.r - a.r) * t), clamp255(a.g + (b.g - a.g) * t),
             clamp255(a.b + (b.b - a.b) * t), clamp255(a.a + (b.a - a.a) * t));
}

Col scaleCol(Col c, float f) {
  return rgb(clamp255(c.r * f), clamp255(c.g * f), clamp255(c.b * f), c.a);
}

Col withAlpha(Col c, int a) {
  c.a = (uint8_t)std::clamp(a, 0, 255);
  return c;
}

Ramp makeRamp(Col dark, Col mid, Col light, int steps) {
  Ramp r;
  for (int i = 0; i < steps; ++i) {
    float t = steps > 1 ? (float)i / (steps - 1) : 0.f;
    r.push_back(t < 0.5f ? mixCol(dark, mid, t * 2) : mixCol(mid, light, (t - 0.5f) * 2));
  }
  return r;
}

Image::Image(int width, int height, Col fill)
    : w(width), h(height), px((size_t)width * height, fill) {}

Col Image::get(int x, int y) const {
  if (wrapX) x = ((x % w) + w) % w;
  if (x < 0 || y < 0 || x >= w || y >= h) return Col();
  return px[(size_t)y * w + x];
}

void Image::set(int x, int y, Col c) {
  if (wrapX) x = ((x % w) + w) % w;
  if (x < 0 || y < 0 || x >= w || y >= h) return;
  px[(size_t)y * w + x] = c;
}

void Image::blend(int x, int y, Col c) {
  if (c.a == 0) return;
  if (wrapX) x = ((x % w) + w) % w;
  if (x < 0 || y < 0 || x >= w || y >= h) return;
  Col& d = px[(size_t)y * w + x];
  if (c.a == 255) {
    d = c;
    return;
  }
  float sa = c.a / 255.f, da = d.a / 255.f;
  float oa = sa + da * (1 - sa);
  if (oa <= 0) {
    d = Col();
    return;
  }
  auto ch = [&](uint8_t s, uint8_t t) { return clamp255((s * sa + t * da * (1 - sa)) / oa); };
  d = rgb(ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), clamp255(oa * 255));
}

Rng::Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) {
  if (s == 0) s = 1;
  for (int i = 0; i < 4; ++i) next();
}

uint32_t Rng::next() {
  s ^= s >> 12;
  s ^= s << 25;
  s ^= s >> 27;
  return (uint32_t)((s * 0x2545F4914F6CDD1Dull) >> 32);
}

float Rng::uni() { return (next() >> 8) / 16777216.f; }
float Rng::range(float lo, float hi) { return lo + (hi - lo) * uni(); }
int Rng::irange(int lo, int hi) { return lo + (int)(next() % (uint32_t)(hi - lo + 1)); }

static const int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

bool ditherUp(int x, int y, float t) { return t * 16.f > BAYER[(y & 3)][(x & 3)] + 0.5f; }

Col rampAt(const Ramp& r, float t, int x, int y) {
  t = std::clamp(t, 0.f, 1.f) * (r.size() - 1);
  int i = (int)t;
  if (i >= (int)r.size() - 1) return r.back();
  return ditherUp(x, y, t - i) ? r[i + 1] : r[i];
}

void fillRect(Image& im, int x, int y, int w, int h, Col c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) im.set(i, j, c);
}

void blendRect(Image& im, int x, int y, int w, int h, Col c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) im.blend(i, j, c);
}

void fillEllipse(Image& im, float cx, float cy, float rx, float ry, Col c) {
  if (rx <= 0 || ry <= 0) return;
  for (int y = (int)std::floor(cy - ry); y <= (int)std::ceil(cy + ry); ++y)
    for (int x = (int)std::floor(cx - rx); x <= (int)std::ceil(cx + rx); ++x) {
      float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
      if (dx * dx + dy * dy <= 1.f) im.blend(x, y, c);
    }
}

static bool insidePoly(const std::vector<Pt>& p, float x, float y) {
  bool in = false;
  for (size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
    if ((p[i].y > y) != (p[j].y > y) &&
        x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
      in = !in;
  }
  return in;
}

static void polyBounds(const std::vector<Pt>& p, int& x0, int& y0, int& x1, int& y1) {
  float a = 1e9f, b = 1e9f, c = -1e9f, d = -1e9f;
  for (auto& q : p) {
    a = std::min(a, q.x);
    b = std::min(b, q.y);
    c = std::max(c, q.x);
    d = std::max(d, q.y);
  }
  x0 = (int)std::floor(a);
  y0 = (int)std::floor(b);
  x1 = (int)std::ceil(c);
  y1 = (int)std::ceil(d);
}

void fillPoly(Image& im, const std::vector<Pt>& pts, Col c) {
  int x0, y0, x1, y1;
  polyBounds(pts, x0, y0, x1, y1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (insidePoly(pts, x + 0.5f, y + 0.5f)) im.blend(x, y, c);
}

void drawLine(Image& im, int x0, int y0, int x1, int y1, Col c) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    im.blend(x0, y0, c);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void thickLine(Image& im, float x0, float y0, float x1, float y1, float r, Col c) {
  float len = std::hypot(x1 - x0, y1 - y0);
  int n = std::max(1, (int)(len * 2));
  for (int i = 0; i <= n; ++i) {
    float t = (float)i / n;
    float x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t;
    for (int yy = (int)std::floor(y - r); yy <= (int)std::ceil(y + r); ++yy)
      for (int xx = (int)std::floor(x - r); xx <= (int)std::ceil(x + r); ++xx) {
        float dx = xx + 0.5f - x, dy = yy + 0.5f - y;
        if (dx * dx + dy * dy <= r * r) im.set(xx, yy, c);
      }
  }
}

void blit(Image& dst, const Image& src, int x, int y) {
  for (int j = 0; j < src.h; ++j)
    for (int i = 0; i < src.w; ++i) dst.blend(x + i, y + j, src.px[(size_t)j * src.w + i]);
}

void blitOpaque(Image& dst, const Image& src, int x, int y) {
  for (int j = 0; j < src.h; ++j)
    for (int i = 0; i < src.w; ++i) {
      Col c = src.px[(size_t)j * src.w + i];
      if (c.a) dst.set(x + i, y + j, c);
    }
}

void shadeEllipse(Image& im, float cx, float cy, float rx, float ry, const Ramp& r, float bias) {
  if (rx <= 0 || ry <= 0) return;
  const float lx = -0.5f, ly = -0.6f, lz = 0.62f;
  for (int y = (int)std::floor(cy - ry); y <= (int)std::ceil(cy + ry); ++y)
    for (int x = (int)std::floor(cx - rx); x <= (int)std::ceil(cx + rx); ++x) {
      float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
      float d = dx * dx + dy * dy;
      if (d > 1.f) continue;
      float z = std::sqrt(1.f - d);
      float l = dx * lx + dy * ly + z * lz;  // -1..1
      float t = 0.5f + 0.55f * l + bias;
      im.set(x, y, rampAt(r, t, x, y));
    }
}

void shadeMask(Image& im, const Image& mask, const Ramp& r, float bias) {
  int top = mask.h, bot = -1;
  for (int y = 0; y < mask.h; ++y)
    for (int x = 0; x < mask.w; ++x)
      if (mask.opaque(x, y)) {
        top = std::min(top, y);
        bot = std::max(bot, y);
      }
  if (bot < 0) return;
  float hgt = std::max(1, bot - top);
  for (int y = 0; y < mask.h; ++y)
    for (int x = 0; x < mask.w; ++x) {
      if (!mask.opaque(x, y)) continue;
      float t = 0.75f - 0.45f * (y - top) / hgt + bias;
      if (!mask.opaque(x, y - 1) || !mask.opaque(x - 1, y)) t += 0.3f;
      if (!mask.opaque(x, y + 1) || !mask.opaque(x + 1, y)) t -= 0.3f;
      im.set(x, y, rampAt(r, t, x, y));
    }
}

void shadePoly(Image& im, const std::vector<Pt>& pts, const Ramp& r, float bias) {
  Image mask(im.w, im.h);
  mask.wrapX = im.wrapX;
  fillPoly(mask, pts, rgb(255, 255, 255));
  shadeMask(im, mask, r, bias);
}

void outline(Image& im, Col c) {
  Image src = im;
  for (int y = 0; y < im.h; ++y)
    for (int x = 0; x < im.w; ++x) {
      if (src.opaque(x, y)) continue;
      if (src.opaque(x - 1, y) || src.opaque(x + 1, y) || src.opaque(x, y - 1) ||
          src.opaque(x, y + 1))
        im.set(x, y, c);
    }
}

Image silhouette(const Image& src, Col c) {
  Image out(src.w, src.h);
  for (size_t i = 0; i < src.px.size(); ++i)
    if (src.px[i].a >= 128) out.px[i] = c;
  return out;
}

Image crop(const Image& src, int x, int y, int w, int h) {
  Image out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.set(i, j, src.get(x + i, y + j));
  return out;
}

Image scaleNearest(const Image& src, int f) {
  Image out(src.w * f, src.h * f);
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < out.w; ++x)
      out.px[(size_t)y * out.w + x] = src.px[(size_t)(y / f) * src.w + x / f];
  return out;
}

static bool same(Col a, Col b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

Image scale2x(const Image& s) {
  Image o(s.w * 2, s.h * 2);
  for (int y = 0; y < s.h; ++y)
    for (int x = 0; x < s.w; ++x) {
      Col p = s.get(x, y), a = s.get(x, y - 1), b = s.get(x + 1, y), c = s.get(x - 1, y),
          d = s.get(x, y + 1);
      Col e0 = p, e1 = p, e2 = p, e3 = p;
      if (!same(c, b) && !same(a, d)) {
        if (same(a, c)) e0 = a;
        if (same(a, b)) e1 = b;
        if (same(d, c)) e2 = c;
        if (same(d, b)) e3 = b;
      }
      o.set(2 * x, 2 * y, e0);
      o.set(2 * x + 1, 2 * y, e1);
      o.set(2 * x, 2 * y + 1, e2);
      o.set(2 * x + 1, 2 * y + 1, e3);
    }
  return o;
}

Image flipX(const Image& src) {
  Image out(src.w, src.h);
  for (int y = 0; y < src.h; ++y)
    for (int x = 0; x < src.w; ++x) out.set(src.w - 1 - x, y, src.get(x, y));
  return out;
}

Image makeSheet(const std::vector<Image>& frames) {
  int n = (int)frames.size();
  int cw = frames[0].w, ch = frames[0].h;
  int cols = std::min(n, 10), rows = (n + 9) / 10;
  Image sheet(cols * cw, rows * ch);
  for (int i = 0; i < n; ++i) blitOpaque(sheet, frames[i], (i % 10) * cw, (i / 10) * ch);
  return sheet;
}

PeriodicNoise::PeriodicNoise(uint64_t seed, int per, int c) : period(per), cell(c) {
  int n = std::max(1, per / c);
  cell = per / n;  // cells divide the period exactly so the noise wraps cleanly
  Rng rng(seed);
  for (int i = 0; i < n; ++i) v.push_back(rng.uni());
}

float PeriodicNoise::at(float x) const {
  int n = (int)v.size();
  float p = x / cell;
  int i = (int)std::floor(p);
  float f = p - i;
  f = (1 - std::cos(f * 3.14159265f)) * 0.5f;
  int a = ((i % n) + n) % n, b = (a + 1) % n;
  return v[a] + (v[b] - v[a]) * f;
}

std::vector<PeriodicNoise> makeOctaves(uint64_t seed, int period, int firstCell, int count) {
  std::vector<PeriodicNoise> o;
  int c = firstCell;
  for (int i = 0; i < count; ++i) {
    o.emplace_back(seed * 31 + i, period, std::max(1, c));
    c /= 2;
  }
  return o;
}

float fractal(const std::vector<PeriodicNoise>& oct, float x) {
  float sum = 0, amp = 1, tot = 0;
  for (auto& o : oct) {
    sum += o.at(x) * amp;
    tot += amp;
    amp *= 0.5f;
  }
  return sum / tot;
}

static float hash2(uint64_t seed, int x, int y) {
  uint64_t h = seed * 0x9E3779B97F4A7C15ull ^ (uint64_t)(uint32_t)x * 0xC2B2AE3D27D4EB4Full ^
               (uint64_t)(uint32_t)y * 0x165667B19E3779F9ull;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  h ^= h >> 32;
  return (h & 0xFFFFFF) / 16777216.f;
}

float noise2(uint64_t seed, float x, float y, int periodX, int cell) {
  int n = std::max(1, periodX / cell);
  float c = (float)periodX / n;
  float px = x / c, py = y / c;
  int ix = (int)std::floor(px), iy = (int)std::floor(py);
  float fx = px - ix, fy = py - iy;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  int x0 = ((ix % n) + n) % n, x1 = (x0 + 1) % n;
  float a = hash2(seed, x0, iy), b = hash2(seed, x1, iy);
  float d = hash2(seed, x0, iy + 1), e = hash2(seed, x1, iy + 1);
  float top = a + (b - a) * fx, bot = d + (e - d) * fx;
  return top + (bot - top) * fy;
}
