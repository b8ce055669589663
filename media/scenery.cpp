// Building blocks for the scrolling scenery (skies, terrain, trees, ruins, buildings).
#include "scenery.h"

#include <algorithm>
#include <cmath>

static Col gradientAt(const std::vector<Stop>& s, float y) {
  if (y <= s.front().y) return s.front().c;
  for (size_t i = 1; i < s.size(); ++i)
    if (y <= s[i].y) return mixCol(s[i - 1].c, s[i].c, (y - s[i - 1].y) / (s[i].y - s[i - 1].y));
  return s.back().c;
}

void skyGradient(Image& im, const std::vector<Stop>& stops) {
  const int band = 6;
  for (int y = 0; y < im.h; ++y) {
    int k = y / band;
    float f = (float)(y % band) / band;
    Col a = gradientAt(stops, (float)k * band), b = gradientAt(stops, (float)(k + 1) * band);
    for (int x = 0; x < im.w; ++x) im.set(x, y, ditherUp(x, y, f) ? b : a);
  }
}

void glow(Image& im, float cx, float cy, float rx, float ry, Col c, float strength) {
  for (int y = std::max(0, (int)(cy - ry)); y < std::min(im.h, (int)(cy + ry) + 1); ++y)
    for (int x = (int)(cx - rx); x <= (int)(cx + rx); ++x) {
      float dx = (x - cx) / rx, dy = (y - cy) / ry;
      float d = 1 - std::sqrt(dx * dx + dy * dy);
      if (d <= 0) continue;
      float a = d * d * strength;
      // Quantise with dithering so the halo stays pixel-crisp.
      float q = a * 8;
      int lvl = (int)q + (ditherUp(x, y, q - (int)q) ? 1 : 0);
      if (lvl <= 0) continue;
      Col base = im.get(x, y);
      im.set(x, y, mixCol(base, c, std::min(1.f, lvl / 8.f)));
    }
}

void stars(Image& im, Rng& rng, int count, int maxY, Col tint) {
  for (int i = 0; i < count; ++i) {
    int x = rng.irange(0, im.w - 1), y = rng.irange(0, maxY);
    float b = rng.uni();
    float fade = 1 - (float)y / (maxY + 1) * 0.6f;
    Col c = mixCol(im.get(x, y), tint, (0.35f + 0.65f * b) * fade);
    im.set(x, y, c);
    if (b > 0.93f) {  // a few bright stars get a small cross
      Col d = mixCol(im.get(x, y), tint, 0.4f * fade);
      im.set(x - 1, y, d);
      im.set(x + 1, y, d);
      im.set(x, y - 1, d);
      im.set(x, y + 1, d);
    }
  }
}

void moon(Image& im, float cx, float cy, float r, Ramp ramp, Col sky) {
  glow(im, cx, cy, r * 3.2f, r * 3.2f, mixCol(sky, ramp.back(), 0.5f), 0.5f);
  shadeEllipse(im, cx, cy, r, r, ramp, 0.15f);
  Rng rng(99);
  for (int i = 0; i < 6; ++i) {
    float a = rng.range(0, 6.28f), d = rng.range(0, r * 0.65f);
    float cr = rng.range(r * 0.08f, r * 0.2f);
    fillEllipse(im, cx + std::cos(a) * d, cy + std::sin(a) * d, cr, cr, withAlpha(ramp[1], 150));
  }
}

void clouds(Image& im, uint64_t seed, int y0, int y1, float cover, Col lit, Col shade, int cell) {
  for (int y = y0; y < y1; ++y) {
    float v = (float)(y - y0) / (y1 - y0);
    float env = std::sin(v * 3.14159f);
    for (int x = 0; x < im.w; ++x) {
      float n = 0.6f * noise2(seed, (float)x, y * 3.f, im.w, cell) +
                0.4f * noise2(seed + 1, (float)x, y * 3.f, im.w, cell / 2);
      float d = n * env - (1 - cover);
      if (d <= 0) continue;
      float nb = 0.6f * noise2(seed, (float)x, (y - 2) * 3.f, im.w, cell) +
                 0.4f * noise2(seed + 1, (float)x, (y - 2) * 3.f, im.w, cell / 2);
      float vb = (float)(y - 2 - y0) / (y1 - y0);
      float above = nb * std::sin(std::max(0.f, vb) * 3.14159f) - (1 - cover);
      Col c = above > 0 ? shade : lit;  // the upper rim of each cloud catches the light
      if (d < 0.03f && !ditherUp(x, y, 0.5f)) continue;
      im.set(x, y, c);
    }
  }
}

void fillTerrain(Image& im, const std::function<float(int)>& top, const Ramp& r, float fade,
                 Col rim) {
  for (int x = 0; x < im.w; ++x) {
    float t0 = top(x);
    int ty = (int)std::floor(t0);
    for (int y = std::max(0, ty); y < im.h; ++y) {
      float depth = (y - t0) / fade;
      im.set(x, y, rampAt(r, 1 - depth, x, y));
    }
    // Rim light on crests that face the light (left-hand slopes rise to the right).
    float slope = top(x + 1) - top(x - 1);
    if (rim.a && ty >= 0 && ty < im.h && slope >= -0.2f) im.set(x, ty, rim);
  }
}

void pineTree(Image& im, float x, float baseY, float h, Col body, Col lit, Col snow) {
  fillRect(im, (int)x - 1, (int)(baseY - h * 0.2f), 2, (int)(h * 0.2f) + 1, scaleCol(body, 0.7f));
  int tiers = std::max(3, (int)(h / 7));
  for (int i = 0; i < tiers; ++i) {
    float t = (float)i / tiers;
    float yb = baseY - h * 0.15f - t * h * 0.8f;
    float w = (1 - t) * h * 0.34f + 1.5f;
    float ya = yb - h * 0.32f;
    fillPoly(im, {{x - w, yb}, {x + w, yb}, {x, ya}}, body);
    // Lit left flank.
    fillPoly(im, {{x - w, yb}, {x - w * 0.35f, yb}, {x, ya}}, lit);
    if (snow.a) {
      for (int k = (int)(x - w); k <= (int)(x + w * 0.3f); ++k) im.set(k, (int)yb - 1, snow);
      im.set((int)x, (int)ya, snow);
    }
  }
}

void roundTree(Image& im, Rng& rng, float x, float baseY, float h, const Ramp& leaves, Col trunk) {
  fillRect(im, (int)x - 1, (int)(baseY - h * 0.45f), 3, (int)(h * 0.45f) + 1, trunk);
  float cy = baseY - h * 0.62f, r = h * 0.32f;
  Image mask(im.w, im.h);
  mask.wrapX = im.wrapX;
  for (int i = 0; i < 6; ++i) {
    float a = rng.range(0, 6.28f), d = rng.range(0, r * 0.6f);
    float rr = rng.range(r * 0.55f, r * 0.8f);
    fillEllipse(mask, x + std::cos(a) * d, cy + std::sin(a) * d * 0.7f, rr, rr * 0.9f,
                rgb(255, 255, 255));
  }
  fillEllipse(mask, x, cy, r * 0.8f, r * 0.75f, rgb(255, 255, 255));
  shadeMask(im, mask, leaves, 0.f);
}

void column(Image& im, float x, float baseY, float h, float w, const Ramp& stone, bool broken,
            Rng& rng) {
  int x0 = (int)(x - w / 2), x1 = (int)(x + w / 2);
  int top = (int)(baseY - h);
  for (int xx = x0; xx <= x1; ++xx) {
    float u = (float)(xx - x0) / std::max(1, x1 - x0);
    // Fluting: a cylinder lit from the left with darker grooves.
    float t = 0.95f - u * 0.75f - (((xx - x0) % 3 == 2) ? 0.18f : 0.f);
    int yTop = top;
    if (broken)
      yTop = top + (int)(std::fabs(std::sin(xx * 1.7f + x)) * w * 0.6f) + rng.irange(0, 1);
    for (int y = yTop; y < (int)baseY; ++y) im.set(xx, y, rampAt(stone, t, xx, y));
  }
  // Base plinth.
  for (int xx = x0 - 2; xx <= x1 + 2; ++xx)
    for (int y = (int)baseY - 4; y < (int)baseY; ++y)
      im.set(xx, y,
             rampAt(stone,
                    0.8f - 0.5f * (xx - x0 + 2) / (x1 - x0 + 4.f) -
                        (y == (int)baseY - 4 ? -0.2f : 0.1f),
                    xx, y));
  if (!broken) {
    // Capital.
    for (int xx = x0 - 3; xx <= x1 + 3; ++xx)
      for (int y = top - 4; y < top; ++y)
        im.set(xx, y,
               rampAt(stone,
                      0.9f - 0.5f * (xx - x0 + 3) / (x1 - x0 + 6.f) - (y == top - 1 ? 0.3f : 0.f),
                      xx, y));
  }
}

void arch(Image& im, float x, float baseY, float h, float span, const Ramp& stone, Rng& rng) {
  float w = 8;
  column(im, x, baseY, h, w, stone, false, rng);
  column(im, x + span, baseY, h, w, stone, false, rng);
  float cx = x + span / 2, cy = baseY - h - 4;
  float ro = span / 2 + w / 2 + 3, ri = span / 2 - w / 2 + 1;
  for (int y = (int)(cy - ro); y <= (int)cy; ++y)
    for (int xx = (int)(cx - ro); xx <= (int)(cx + ro); ++xx) {
      float d = std::hypot(xx + 0.5f - cx, y + 0.5f - cy);
      if (d > ro || d < ri) continue;
      float t = 0.55f + 0.35f * (-(xx - cx) - (y - cy)) / ro * 0.7f;
      // Voussoir joints.
      float ang = std::atan2(y + 0.5f - cy, xx + 0.5f - cx);
      if (std::fmod(std::fabs(ang) * 9.f, 1.f) < 0.12f) t -= 0.3f;
      im.set(xx, y, rampAt(stone, t, xx, y));
    }
}

void building(Image& im, Rng& rng, int x, int w, int top, int baseY, Col body, Col edge, Col lit,
              Col unlit, float litChance) {
  fillRect(im, x, top, w, baseY - top, body);
  for (int y = top; y < baseY; ++y) im.set(x, y, edge);  // lit left edge
  fillRect(im, x - 1, top, w + 2, 1, edge);              // roof ledge
  // Window grid: 2x2 windows every 4-5 pixels, lit at random, whole floors sometimes dark.
  int gx = w > 14 ? 4 : 3, gy = 5;
  for (int y = top + 4; y < baseY - 3; y += gy) {
    bool floorDark = rng.uni() < 0.2f;
    for (int xx = x + 2; xx < x + w - 2; xx += gx) {
      bool on = !floorDark && rng.uni() < litChance;
      Col c = on ? (rng.uni() < 0.2f ? mixCol(lit, rgb(255, 255, 255), 0.4f) : lit) : unlit;
      fillRect(im, xx, y, 2, 2, c);
    }
  }
  // Roof furniture.
  int kind = rng.irange(0, 3);
  if (kind == 0) {
    int ax = x + rng.irange(2, std::max(2, w - 3));
    int ah = rng.irange(6, 14);
    fillRect(im, ax, top - ah, 1, ah, edge);
    im.set(ax, top - ah - 1, rgb(255, 60, 60));
  } else if (kind == 1 && w > 10) {
    fillRect(im, x + 2, top - 4, 6, 4, body);
    fillRect(im, x + 2, top - 4, 6, 1, edge);
  } else if (kind == 2 && w > 12) {
    fillPoly(im,
             {{(float)x, (float)top},
              {(float)(x + w), (float)top},
              {(float)(x + w / 2), (float)(top - w / 3)}},
             body);
  }
}
