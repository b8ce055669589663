// The four scrolling themes (forest, ruin, city, mountains) in three layers each, plus the
// light-ray and fog overlays. Every layer repeats every 640 pixels without a seam.
#include <algorithm>
#include <cmath>

#include "painters.h"
#include "scenery.h"

static const int BW = 640, BH = 215;

static Image layerCanvas() {
  Image im(BW, BH);
  im.wrapX = true;
  return im;
}

// Ridged noise: sharp crests, for mountain ranges.
static float ridged(const std::vector<PeriodicNoise>& o, float x) {
  float sum = 0, amp = 1, tot = 0;
  for (auto& n : o) {
    float v = 1 - std::fabs(2 * n.at(x) - 1);
    sum += v * v * amp;
    tot += amp;
    amp *= 0.5f;
  }
  return sum / tot;
}

// ---------------------------------------------------------------- forest (dawn)

static Image forest(int layer) {
  Image im = layerCanvas();
  Rng rng(100 + layer);
  if (layer == 1) {
    skyGradient(im, {{0, rgb(40, 52, 108)},
                     {55, rgb(96, 96, 156)},
                     {105, rgb(206, 142, 150)},
                     {150, rgb(255, 204, 150)},
                     {215, rgb(255, 230, 176)}});
    glow(im, 430, 150, 150, 90, rgb(255, 240, 190), 0.9f);
    shadeEllipse(im, 430, 146, 11, 11,
                 makeRamp(rgb(255, 220, 150), rgb(255, 244, 200), rgb(255, 255, 240), 3), 0.4f);
    clouds(im, 7, 14, 84, 0.5f, rgb(250, 196, 186), rgb(176, 132, 170), 64);
    auto far = makeOctaves(11, BW, 160, 4);
    fillTerrain(
        im, [&](int x) { return 118 + 40 * fractal(far, (float)x); },
        makeRamp(rgb(150, 130, 176), rgb(170, 150, 190), rgb(196, 170, 200), 4), 60,
        rgb(226, 190, 200));
    auto nearer = makeOctaves(12, BW, 80, 4);
    auto top2 = [&](int x) { return 150 + 26 * fractal(nearer, (float)x); };
    for (int x = 0; x < BW; x += 3) {
      float t = top2(x);
      // One draw per statement: a call's arguments are evaluated in whatever order the
      // compiler likes, and the pictures must be the same bytes on every machine.
      float height = rng.range(6, 12);
      float shift = rng.range(0, 2);
      pineTree(im, x + shift, t + 3, height, rgb(112, 104, 156), rgb(128, 118, 170), Col());
    }
    fillTerrain(im, top2, makeRamp(rgb(100, 94, 148), rgb(116, 106, 160), rgb(136, 122, 172), 3),
                50, Col());
    return im;
  }
  if (layer == 2) {
    auto oct = makeOctaves(21, BW, 128, 4);
    auto top = [&](int x) { return 168 + 22 * fractal(oct, (float)x); };
    for (float x = 0; x < BW; x += rng.range(5, 11)) {
      float h = rng.range(22, 58);
      pineTree(im, x, top((int)x) + 4, h, rgb(30, 70, 76), rgb(58, 106, 98), Col());
    }
    fillTerrain(im, top, makeRamp(rgb(24, 56, 64), rgb(32, 72, 76), rgb(48, 96, 88), 3), 40,
                rgb(96, 140, 110));
    return im;
  }
  // Near layer: large dark broadleaf trees, bushes and grass on a mossy bank.
  auto oct = makeOctaves(31, BW, 160, 4);
  auto top = [&](int x) { return 196 + 10 * fractal(oct, (float)x); };
  Ramp leaves = makeRamp(rgb(10, 32, 22), rgb(28, 74, 38), rgb(104, 160, 64), 5);
  Ramp bush = makeRamp(rgb(12, 40, 26), rgb(36, 92, 44), rgb(120, 176, 72), 5);
  for (float x = 20; x < BW - 30; x += rng.range(120, 190))
    roundTree(im, rng, x, top((int)x) + 4, rng.range(70, 110), leaves, rgb(36, 26, 22));
  for (float x = 0; x < BW; x += rng.range(14, 30))
    roundTree(im, rng, x, top((int)x) + 8, rng.range(18, 30), bush, rgb(30, 40, 20));
  fillTerrain(im, top, makeRamp(rgb(14, 30, 20), rgb(30, 60, 30), rgb(70, 110, 50), 4), 14,
              rgb(130, 180, 80));
  for (int x = 0; x < BW; ++x) {
    if (rng.uni() < 0.45f) {
      int h = rng.irange(2, 6);
      int y = (int)top(x);
      for (int k = 1; k <= h; ++k) im.set(x, y - k, k == h ? rgb(120, 176, 70) : rgb(40, 90, 40));
    }
    if (rng.uni() < 0.02f)
      im.set(x, (int)top(x) - 3, rng.uni() < 0.5f ? rgb(255, 200, 220) : rgb(255, 240, 140));
  }
  return im;
}

// ---------------------------------------------------------------- ruin (dusk)

static Image ruin(int layer) {
  Image im = layerCanvas();
  Rng rng(200 + layer);
  Ramp stone = makeRamp(rgb(44, 26, 54), rgb(98, 56, 86), rgb(204, 122, 112), 5);
  if (layer == 1) {
    skyGradient(im, {{0, rgb(26, 16, 52)},
                     {50, rgb(66, 32, 92)},
                     {105, rgb(170, 66, 108)},
                     {145, rgb(240, 118, 88)},
                     {180, rgb(255, 178, 110)},
                     {215, rgb(255, 204, 136)}});
    stars(im, rng, 90, 70, rgb(255, 230, 240));
    glow(im, 250, 150, 170, 80, rgb(255, 210, 140), 0.8f);
    shadeEllipse(im, 250, 138, 24, 24,
                 makeRamp(rgb(255, 150, 80), rgb(255, 210, 120), rgb(255, 246, 200), 4), 0.35f);
    // Thin cloud bars across the sun.
    for (int k = 0; k < 3; ++k) {
      int y = 126 + k * 9;
      for (int x = 0; x < BW; ++x) {
        float n = noise2(40 + k, (float)x, 0, BW, 48);
        if (n > 0.55f) im.set(x, y + (n > 0.75f ? 1 : 0), rgb(130, 54, 96));
        if (n > 0.62f) im.set(x, y + 1, rgb(110, 44, 86));
      }
    }
    auto oct = makeOctaves(41, BW, 128, 3);
    auto mesa = [&](int x) {
      float n = fractal(oct, (float)x);
      float m = std::clamp((n - 0.42f) * 7.f, 0.f, 1.f);
      return 186 - 44 * m - 6 * fractal(oct, x * 3.f);
    };
    fillTerrain(im, mesa, makeRamp(rgb(112, 52, 96), rgb(132, 62, 104), rgb(170, 84, 110), 3), 60,
                rgb(230, 130, 110));
    return im;
  }
  if (layer == 2) {
    auto oct = makeOctaves(51, BW, 160, 3);
    auto dune = [&](int x) { return 186 + 14 * fractal(oct, (float)x); };
    // Colonnades with lintels, lone arches and broken stumps.
    float x = 10;
    while (x < BW - 60) {
      int kind = rng.irange(0, 2);
      float base = dune((int)x) + 6;
      if (kind == 0) {
        int n = rng.irange(3, 5);
        float h = rng.range(50, 75), gap = 20;
        for (int i = 0; i < n; ++i)
          column(im, x + i * gap, base, h, 7, stone, i == n - 1 && rng.uni() < 0.6f, rng);
        for (int xx = (int)x - 5; xx < (int)(x + (n - 1) * gap) - 6; ++xx)
          for (int y = (int)(base - h - 10); y < (int)(base - h - 4); ++y)
            im.set(xx, y, rampAt(stone, y == (int)(base - h - 10) ? 0.9f : 0.45f, xx, y));
        x += n * gap + rng.range(30, 60);
      } else if (kind == 1) {
        float span = rng.range(26, 36);
        float height = rng.range(40, 60);
        arch(im, x, base, height, span, stone, rng);
        x += rng.range(80, 120);
      } else {
        column(im, x, base, rng.range(18, 40), 8, stone, true, rng);
        x += rng.range(30, 50);
      }
    }
    fillTerrain(im, dune, makeRamp(rgb(60, 32, 60), rgb(84, 44, 72), rgb(124, 66, 86), 3), 30,
                rgb(220, 130, 110));
    return im;
  }
  Ramp sand = makeRamp(rgb(70, 40, 46), rgb(160, 98, 76), rgb(236, 176, 124), 5);
  Ramp near = makeRamp(rgb(40, 22, 34), rgb(120, 70, 70), rgb(246, 170, 120), 6);
  auto oct = makeOctaves(61, BW, 160, 4);
  auto ground = [&](int x) { return 200 + 7 * fractal(oct, (float)x); };
  for (float x = 30; x < BW - 20; x += rng.range(90, 150)) {
    bool broken = rng.uni() < 0.75f;
    column(im, x, ground((int)x) + 6, rng.range(40, 95), 13, near, broken, rng);
  }
  // Fallen drums and blocks.
  for (float x = 0; x < BW; x += rng.range(25, 60)) {
    float y = ground((int)x) + 2;
    if (rng.uni() < 0.5f) {
      float ry = rng.range(3, 5);
      float rx = rng.range(5, 9);
      shadeEllipse(im, x, y - 3, rx, ry, near);
    } else
      shadePoly(im, {{x, y}, {x + 2, y - 7}, {x + 12, y - 8}, {x + 14, y}}, near);
  }
  fillTerrain(im, ground, sand, 16, rgb(255, 200, 140));
  return im;
}

// ---------------------------------------------------------------- city (night)

static Image city(int layer) {
  Image im = layerCanvas();
  Rng rng(300 + layer);
  if (layer == 1) {
    skyGradient(im, {{0, rgb(6, 8, 26)},
                     {70, rgb(18, 24, 64)},
                     {140, rgb(54, 42, 102)},
                     {185, rgb(128, 66, 118)},
                     {215, rgb(176, 96, 118)}});
    stars(im, rng, 260, 150, rgb(230, 236, 255));
    moon(im, 120, 46, 15, makeRamp(rgb(150, 150, 180), rgb(220, 220, 236), rgb(255, 255, 250), 4),
         rgb(18, 24, 64));
    clouds(im, 9, 60, 110, 0.3f, rgb(70, 60, 120), rgb(46, 40, 96), 80);
    int x = 0;
    while (x < BW) {
      int w = rng.irange(10, 26), top = rng.irange(132, 176);
      if (x + w > BW) w = BW - x;  // the last tower closes the loop exactly
      building(im, rng, x, w, top, BH, rgb(46, 38, 92), rgb(62, 52, 110), rgb(140, 110, 150),
               rgb(50, 42, 98), 0.18f);
      x += w;
    }
    for (int y = 190; y < BH; ++y)
      for (int xx = 0; xx < BW; ++xx)
        if (ditherUp(xx, y, (y - 190) / 25.f * 0.5f))
          im.set(xx, y, rgb(150, 84, 120));  // street glow haze
    return im;
  }
  if (layer == 2) {
    int x = 0;
    while (x < BW) {
      int w = rng.irange(14, 34), top = rng.irange(96, 168);
      if (x + w > BW) w = BW - x;
      building(im, rng, x, w, top, BH, rgb(26, 28, 58), rgb(62, 66, 112), rgb(255, 204, 110),
               rgb(34, 38, 76), 0.33f);
      x += w;
    }
    return im;
  }
  int x = 0;
  while (x < BW) {
    int w = rng.irange(24, 52), top = rng.irange(160, 196);
    if (x + w > BW) w = BW - x;
    building(im, rng, x, w, top, BH, rgb(12, 12, 28), rgb(44, 44, 84), rgb(255, 226, 150),
             rgb(20, 20, 40), 0.4f);
    if (rng.uni() < 0.45f && w > 20) {
      // Neon sign on the roof edge.
      Col neon = rng.uni() < 0.5f ? rgb(255, 70, 190) : rgb(70, 240, 255);
      int sx = x + 4, sy = top - 9, sw = w - 8;
      fillRect(im, sx, sy, sw, 6, rgb(20, 16, 36));
      drawLine(im, sx, sy, sx + sw - 1, sy, neon);
      drawLine(im, sx, sy + 5, sx + sw - 1, sy + 5, neon);
      for (int k = sx + 2; k < sx + sw - 2; k += 3)
        fillRect(im, k, sy + 2, 2, 2, mixCol(neon, rgb(255, 255, 255), 0.4f));
      drawLine(im, sx + 1, sy + 6, sx + 1, top, rgb(44, 44, 84));
      drawLine(im, sx + sw - 2, sy + 6, sx + sw - 2, top, rgb(44, 44, 84));
    } else if (rng.uni() < 0.5f) {
      // Water tower on stilts.
      int tx = x + rng.irange(4, std::max(4, w - 12));
      shadePoly(im,
                {{(float)tx, (float)top - 8},
                 {(float)tx + 10, (float)top - 8},
                 {(float)tx + 10, (float)top - 17},
                 {(float)tx + 5, (float)top - 21},
                 {(float)tx, (float)top - 17}},
                makeRamp(rgb(14, 14, 30), rgb(34, 34, 66), rgb(80, 80, 130), 3));
      drawLine(im, tx + 1, top - 8, tx + 1, top, rgb(34, 34, 66));
      drawLine(im, tx + 8, top - 8, tx + 8, top, rgb(34, 34, 66));
    }
    x += w;
  }
  return im;
}

// ---------------------------------------------------------------- mountains (cold morning)

static void range(Image& im, const std::function<float(int)>& top, const Ramp& rock,
                  const Ramp& snow, float snowTop, uint64_t seed) {
  for (int x = 0; x < BW; ++x) {
    float t0 = top(x);
    float snowLine = snowTop + 18 * noise2(seed, (float)x, 0, BW, 16);
    for (int y = std::max(0, (int)t0); y < BH; ++y) {
      float below = y - t0;
      // Faces are lit from the left: judge the slope over a span that widens with depth,
      // and lean it with depth so the light/shadow split runs diagonally down each peak.
      int k = 2 + (int)(below * 0.35f);
      int sx = x - (int)(below * 0.45f);
      float slope = (top(sx + k) - top(sx - k)) / k;
      float lit = std::clamp(0.5f - slope * 1.2f, 0.f, 1.f);
      lit += (noise2(seed + 2, (float)x, y * 1.5f, BW, 12) - 0.5f) * 0.25f;
      float depth = below / 90.f;
      bool isSnow = y < snowLine && below < 24 + 14 * noise2(seed + 1, (float)x, (float)y, BW, 8);
      if (isSnow)
        im.set(x, y, rampAt(snow, lit * 0.9f + 0.15f - depth * 0.4f, x, y));
      else
        im.set(x, y, rampAt(rock, lit * 0.7f + 0.25f - depth * 0.6f, x, y));
    }
  }
}

static Image mountains(int layer) {
  Image im = layerCanvas();
  Rng rng(400 + layer);
  if (layer == 1) {
    skyGradient(im, {{0, rgb(48, 92, 164)},
                     {80, rgb(104, 152, 210)},
                     {150, rgb(196, 218, 238)},
                     {215, rgb(232, 238, 246)}});
    clouds(im, 13, 10, 60, 0.38f, rgb(246, 248, 255), rgb(200, 214, 236), 96);
    glow(im, 160, 40, 120, 80, rgb(255, 250, 230), 0.5f);
    auto oct = makeOctaves(71, BW, 160, 5);
    range(
        im, [&](int x) { return 150 - 80 * ridged(oct, (float)x); },
        makeRamp(rgb(120, 140, 186), rgb(150, 170, 208), rgb(186, 202, 230), 4),
        makeRamp(rgb(190, 204, 232), rgb(220, 230, 246), rgb(250, 252, 255), 3), 120, 72);
    // Haze where the range meets the valley.
    for (int y = 150; y < BH; ++y)
      for (int x = 0; x < BW; ++x)
        if (ditherUp(x, y, (y - 150) / 65.f))
          im.set(x, y, mixCol(im.get(x, y), rgb(214, 226, 242), 0.6f));
    return im;
  }
  if (layer == 2) {
    auto oct = makeOctaves(81, BW, 128, 5);
    range(
        im, [&](int x) { return 188 - 74 * ridged(oct, (float)x); },
        makeRamp(rgb(46, 60, 92), rgb(78, 96, 136), rgb(124, 142, 180), 5),
        makeRamp(rgb(150, 170, 208), rgb(210, 222, 244), rgb(255, 255, 255), 4), 150, 82);
    return im;
  }
  auto oct = makeOctaves(91, BW, 160, 4);
  auto ground = [&](int x) { return 192 + 10 * fractal(oct, (float)x); };
  for (float x = 0; x < BW; x += rng.range(6, 22)) {
    float h = rng.range(24, 64);
    pineTree(im, x, ground((int)x) + 5, h, rgb(18, 40, 50), rgb(36, 66, 70), rgb(236, 244, 255));
  }
  for (float x = 10; x < BW; x += rng.range(60, 110))
    shadePoly(im,
              {{x, ground((int)x) + 3},
               {x + 3, ground((int)x) - 8},
               {x + 10, ground((int)x) - 11},
               {x + 16, ground((int)x) + 3}},
              makeRamp(rgb(40, 46, 60), rgb(90, 96, 116), rgb(170, 176, 196), 4));
  fillTerrain(im, ground, makeRamp(rgb(150, 170, 206), rgb(206, 220, 242), rgb(250, 252, 255), 4),
              14, rgb(255, 255, 255));
  return im;
}

Image paintBackground(int theme, int layer) {
  switch (theme) {
    case 0: return forest(layer);
    case 1: return ruin(layer);
    case 2: return city(layer);
    default: return mountains(layer);
  }
}

// ---------------------------------------------------------------- overlays

Image paintRays() {
  Image im(320, 215);
  const float ox = 250, oy = -60;
  const float beams[] = {1.95f, 2.08f, 2.2f, 2.37f, 2.5f};
  const float widths[] = {0.035f, 0.02f, 0.05f, 0.025f, 0.04f};
  for (int y = 0; y < 215; ++y)
    for (int x = 0; x < 320; ++x) {
      float a = std::atan2(y - oy, x - ox);
      float s = 0;
      for (int k = 0; k < 5; ++k) {
        float d = (a - beams[k]) / widths[k];
        s += std::exp(-d * d);
      }
      float fall = 1 - std::clamp((y - oy) / 300.f, 0.f, 1.f);
      int alpha = (int)(std::min(1.f, s) * 56 * fall);
      if (alpha > 2) im.set(x, y, rgb(255, 244, 206, alpha));
    }
  return im;
}

Image paintFog() {
  Image im(320, 215);
  for (int y = 0; y < 215; ++y)
    for (int x = 0; x < 320; ++x) {
      float n = 0.6f * noise2(1, (float)x, y * 2.5f, 320, 64) +
                0.4f * noise2(2, (float)x, y * 2.5f, 320, 24);
      float env = std::clamp((y - 60) / 155.f, 0.f, 1.f);
      float a = std::clamp((n - 0.42f) * 2.2f, 0.f, 1.f) * (0.35f + 0.65f * env);
      int alpha = (int)(a * 80);
      if (alpha > 2) im.set(x, y, rgb(214, 220, 240, alpha));
    }
  return im;
}
