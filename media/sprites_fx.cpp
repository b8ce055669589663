// Explosion, shots, power-ups, status-bar icons and the smart-bomb curtain.
#include <algorithm>
#include <cmath>

#include "painters.h"
#include "textdraw.h"

static const float PI = 3.14159265f;

// ---------------------------------------------------------------- explosion

static Col fireColour(float heat) {
  // Hottest first: white, yellow, orange, red, dark red, smoke.
  static const Col pal[] = {rgb(70, 60, 64),   rgb(120, 30, 20),  rgb(200, 50, 20),
                            rgb(250, 120, 30), rgb(255, 200, 60), rgb(255, 250, 210)};
  int i = std::clamp((int)(heat * 6), 0, 5);
  return pal[i];
}

Frames paintExplosion() {
  Frames out;
  Rng rng(77);
  struct Spark {
    float ang, speed, life;
  };
  std::vector<Spark> sparks;
  for (int i = 0; i < 28; ++i) {
    float ang = rng.range(0, 2 * PI);
    float speed = rng.range(0.55f, 1.f);
    float life = rng.range(0.45f, 0.9f);
    sparks.push_back({ang, speed, life});
  }
  struct Puff {
    float ang, dist, r;
  };
  std::vector<Puff> puffs;
  for (int i = 0; i < 7; ++i) {
    float ang = 2 * PI * i / 7 + rng.range(-0.3f, 0.3f);
    float dist = rng.range(0.4f, 0.75f);
    float r = rng.range(0.45f, 0.7f);
    puffs.push_back({ang, dist, r});
  }

  for (int f = 0; f < 20; ++f) {
    Image im(100, 100);
    float t = f / 19.f;
    float grow = 1 - (1 - t) * (1 - t) * (1 - t);
    float R = 5 + 27 * grow;
    float cool = t * 1.05f;
    // Fireball made of a central ball and offset puffs, perturbed by noise.
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) {
        float best = 0;
        float dx = x + 0.5f - 50, dy = y + 0.5f - 50;
        float d = std::sqrt(dx * dx + dy * dy) / R;
        best = 1 - d;
        for (auto& p : puffs) {
          float px = 50 + std::cos(p.ang) * p.dist * R,
                py = 50 + std::sin(p.ang) * p.dist * R - t * 6;
          float q = std::hypot(x + 0.5f - px, y + 0.5f - py) / (p.r * R);
          best = std::max(best, (1 - q) * 0.85f);
        }
        if (best <= 0) continue;
        float n = noise2(11 + f / 4, (float)x, (float)y, 100, 6);
        float heat = best * 1.6f + (n - 0.5f) * 0.5f - cool;
        float edge = best + (n - 0.5f) * 0.35f;
        if (edge <= 0.02f) continue;
        Col c = fireColour(heat);
        int alpha = 255;
        if (heat < 1.f / 6)
          alpha = (int)(210 * (1 - t) * std::min(1.f, edge * 4));  // smoke thins away
        if (t > 0.75f) alpha = (int)(alpha * (1 - (t - 0.75f) * 4));
        if (alpha < 20) continue;
        im.set(x, y, withAlpha(c, alpha / 32 * 32 + 31));
      }
    // Shock ring in the first frames.
    if (f >= 1 && f <= 6) {
      float rr = 8 + f * 6.5f;
      int a = 200 - f * 30;
      for (int k = 0; k < 180; ++k) {
        float ang = 2 * PI * k / 180;
        im.blend((int)(50 + std::cos(ang) * rr), (int)(50 + std::sin(ang) * rr),
                 rgb(255, 240, 200, a));
      }
    }
    // Flying sparks.
    for (auto& s : sparks) {
      if (t > s.life) continue;
      float d = 6 + s.speed * 44 * std::sqrt(t / s.life) * s.life;
      float x = 50 + std::cos(s.ang) * d, y = 50 + std::sin(s.ang) * d + t * t * 10;
      Col c = t < s.life * 0.5f ? rgb(255, 250, 180) : rgb(255, 150, 40);
      im.set((int)x, (int)y, c);
      im.set((int)(x - std::cos(s.ang) * 1.5f), (int)(y - std::sin(s.ang) * 1.5f),
             withAlpha(rgb(255, 110, 30), 180));
    }
    out.push_back(im);
  }
  return out;
}

// ---------------------------------------------------------------- shots

Image paintShot(bool player) {
  Image im(50, 50);
  Col core = player ? rgb(255, 255, 255) : rgb(255, 240, 220);
  Col inner = player ? rgb(120, 255, 230) : rgb(255, 90, 60);
  Col outer = player ? rgb(30, 190, 255) : rgb(220, 20, 120);
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 50; ++x) {
      float d = std::hypot(x + 0.5f - 25, y + 0.5f - 25);
      if (!player) {
        // Enemy shots get four spikes so they read differently at a glance.
        float ang = std::atan2(y + 0.5f - 25, x + 0.5f - 25);
        d *= 1.f - 0.28f * std::pow(std::fabs(std::cos(2 * ang)), 6.f);
      }
      Col c;
      if (d < 2.2f)
        c = core;
      else if (d < 4.2f)
        c = inner;
      else if (d < 5.6f)
        c = outer;
      else if (d < 11.f) {
        float a = (1 - (d - 5.6f) / 5.4f);
        c = withAlpha(outer, (int)(a * a * 150));
      } else
        continue;
      im.set(x, y, c);
    }
  return im;
}

// ---------------------------------------------------------------- power-ups

static void badge(Image& im, Ramp body, float pulse, Col rim) {
  shadeEllipse(im, 10, 10, 9, 9, body);
  // Pulsing rim: brighter as the pulse rises.
  Col bright = mixCol(rim, rgb(255, 255, 255), pulse * 0.7f);
  for (int k = 0; k < 64; ++k) {
    float a = 2 * PI * k / 64;
    im.set((int)(10 + std::cos(a) * 9.3f), (int)(10 + std::sin(a) * 9.3f), bright);
  }
}

static void sparkle(Image& im, int f, int frames) {
  float a = 2 * PI * f / frames - PI * 0.75f;
  int x = (int)(10 + std::cos(a) * 7), y = (int)(10 + std::sin(a) * 7);
  im.set(x, y, rgb(255, 255, 255));
  im.set(x - 1, y, rgb(255, 255, 200, 200));
  im.set(x + 1, y, rgb(255, 255, 200, 200));
  im.set(x, y - 1, rgb(255, 255, 200, 200));
  im.set(x, y + 1, rgb(255, 255, 200, 200));
}

static void heartShape(Image& im, float cx, float cy, float s, const Ramp& r) {
  Image mask(im.w, im.h);
  fillEllipse(mask, cx - 2.2f * s, cy - 1.2f * s, 2.6f * s, 2.5f * s, rgb(255, 255, 255));
  fillEllipse(mask, cx + 2.2f * s, cy - 1.2f * s, 2.6f * s, 2.5f * s, rgb(255, 255, 255));
  fillPoly(mask,
           {{cx - 4.7f * s, cy - 0.6f * s}, {cx + 4.7f * s, cy - 0.6f * s}, {cx, cy + 4.8f * s}},
           rgb(255, 255, 255));
  shadeMask(im, mask, r, 0.05f);
}

static void bombShape(Image& im, float cx, float cy, float r, bool spark) {
  shadeEllipse(im, cx, cy, r, r, makeRamp(rgb(10, 10, 20), rgb(50, 56, 80), rgb(170, 180, 210), 5));
  fillRect(im, (int)(cx + r * 0.35f), (int)(cy - r - 1), 3, 2, rgb(120, 120, 130));
  drawLine(im, (int)(cx + r * 0.35f) + 2, (int)(cy - r - 1), (int)(cx + r * 0.35f) + 4,
           (int)(cy - r - 3), rgb(200, 160, 100));
  if (spark) {
    int sx = (int)(cx + r * 0.35f) + 5, sy = (int)(cy - r - 4);
    im.set(sx, sy, rgb(255, 255, 200));
    im.set(sx + 1, sy, rgb(255, 180, 40));
    im.set(sx - 1, sy, rgb(255, 180, 40));
    im.set(sx, sy - 1, rgb(255, 180, 40));
    im.set(sx, sy + 1, rgb(255, 120, 20));
  }
}

// A right-pointing arrow: shaft from x0, head ending at x0 + 11.
static void arrow(Image& im, int x0, float y, Col c) {
  int yy = (int)y;
  drawLine(im, x0, yy, x0 + 8, yy, c);
  for (int k = 0; k < 3; ++k) drawLine(im, x0 + 8 + k, yy - 2 + k, x0 + 8 + k, yy + 2 - k, c);
}

static Image powerFrame(PowerKind k, int f, int frames) {
  Image im(20, 20);
  float pulse = 0.5f + 0.5f * std::sin(2 * PI * f / frames);
  float lift = (pulse - 0.5f) * 0.25f;
  switch (k) {
    case PU_HEALTH: {
      badge(im, makeRamp(rgb(20, 70, 60), rgb(60, 170, 140), rgb(200, 255, 230), 5), pulse,
            rgb(140, 255, 200));
      heartShape(im, 10, 10, 1.15f,
                 makeRamp(rgb(110, 0, 20), rgb(230, 30, 50), rgb(255, 190, 190), 5));
      break;
    }
    case PU_500:
    case PU_100: {
      bool gold = k == PU_500;
      Ramp coin = gold ? makeRamp(rgb(120, 70, 0), rgb(230, 180, 30), rgb(255, 250, 190), 6)
                       : makeRamp(rgb(70, 76, 92), rgb(170, 180, 200), rgb(250, 252, 255), 6);
      shadeEllipse(im, 10, 10, 9, 9, coin, lift);
      shadeEllipse(im, 10, 10, 6.5f, 6.5f, coin, lift - 0.25f);
      Col ink = gold ? rgb(90, 40, 0) : rgb(30, 36, 60);
      drawTinyDigits(im, 4, 8, gold ? "500" : "100", ink);
      break;
    }
    case PU_FIRE: {
      badge(im, makeRamp(rgb(80, 8, 0), rgb(196, 46, 16), rgb(255, 140, 70), 5), pulse,
            rgb(255, 200, 60));
      // Three stacked arrows: more shots per volley.
      for (int row = 0; row < 3; ++row) {
        int y = 5 + row * 5;
        arrow(im, 5, (float)y + 1, rgb(120, 24, 0));
        arrow(im, 4, (float)y, rgb(255, 255, 236));
      }
      break;
    }
    case PU_BOMB: {
      badge(im, makeRamp(rgb(20, 30, 90), rgb(60, 100, 210), rgb(190, 220, 255), 5), 0.6f,
            rgb(160, 200, 255));
      bombShape(im, 9, 11.5f, 4.6f, true);
      break;
    }
  }
  if (k != PU_BOMB && k != PU_FIRE) sparkle(im, f, frames);
  outline(im, rgb(16, 12, 24));
  return im;
}

Frames paintPowerUp(PowerKind k) {
  Frames out;
  int frames = k == PU_BOMB ? 1 : 17;
  for (int f = 0; f < frames; ++f) out.push_back(powerFrame(k, f, frames));
  return out;
}

Image paintHeartIcon() {
  Image im(20, 20);
  heartShape(im, 10, 9.5f, 1.6f,
             makeRamp(rgb(100, 0, 20), rgb(225, 30, 50), rgb(255, 200, 200), 6));
  im.set(6, 5, rgb(255, 255, 255));
  im.set(5, 6, rgb(255, 240, 240));
  outline(im, rgb(30, 0, 8));
  return im;
}

Image paintBombIcon() {
  Image im(20, 20);
  bombShape(im, 9, 12, 6.3f, true);
  im.set(6, 9, rgb(230, 240, 255));
  outline(im, rgb(4, 4, 10));
  return im;
}

// ---------------------------------------------------------------- smart-bomb curtain

Image paintSmartBombBar() {
  Image im(10, 215);
  for (int y = 0; y < 215; ++y) {
    float half = 2.6f + 2.0f * (0.5f + 0.5f * std::sin(y * 0.33f)) *
                            (0.5f + 0.5f * std::sin(y * 0.071f + 1));
    half = std::min(half, 4.9f);
    for (int x = 0; x < 10; ++x) {
      float d = std::fabs(x + 0.5f - 5) / half;
      if (d > 1) continue;
      float glow = 1 - d;
      glow += 0.25f * std::sin(y * 0.9f + x) * (1 - glow);
      Col c = glow > 0.75f   ? rgb(255, 255, 255)
              : glow > 0.5f  ? rgb(170, 250, 255)
              : glow > 0.25f ? rgb(60, 190, 255)
                             : rgb(70, 80, 230);
      im.set(x, y, c);
    }
  }
  return im;
}
