// The boss: a tall armoured spine with a glowing core, and its clawed arms.
#include <cmath>

#include "painters.h"

static const float PI = 3.14159265f;

static Ramp bossMetal() {
  return makeRamp(rgb(30, 22, 48), rgb(104, 84, 140), rgb(214, 200, 240), 6);
}
static Ramp bossFlesh() {
  return makeRamp(rgb(60, 10, 30), rgb(170, 40, 70), rgb(255, 150, 150), 5);
}
static Ramp bossGlow() {
  return makeRamp(rgb(120, 20, 0), rgb(255, 120, 20), rgb(255, 250, 200), 5);
}

Image paintBossBody() {
  Image im(50, 215);
  Ramp metal = bossMetal(), flesh = bossFlesh(), glow = bossGlow();
  // Fleshy spine behind the armour.
  for (int y = 2; y < 213; ++y) {
    float wob = std::sin(y * 0.21f) * 2.f;
    float half = 9 + wob;
    for (int x = (int)(25 - half); x <= (int)(25 + half); ++x) {
      float t = 0.75f - std::fabs(x - 25 + 3.f) / 14.f;
      im.set(x, y, rampAt(flesh, t, x, y));
    }
  }
  // Armour plates, wider towards the middle.
  for (int k = 0; k < 9; ++k) {
    float y0 = 4 + k * 23.5f;
    float mid = 1.f - std::fabs(k - 4) / 5.f;
    float half = 14 + mid * 9;
    shadePoly(im,
              {{25 - half, y0 + 4},
               {25 - half + 5, y0},
               {25 + half - 5, y0},
               {25 + half, y0 + 4},
               {25 + half - 2, y0 + 15},
               {25, y0 + 18},
               {25 - half + 2, y0 + 15}},
              metal);
    // Rivets and vents.
    im.set((int)(25 - half + 6), (int)y0 + 4, metal[5]);
    im.set((int)(25 + half - 7), (int)y0 + 4, metal[5]);
    for (int v = 0; v < 3; ++v)
      drawLine(im, 20, (int)y0 + 8 + v * 2, 30, (int)y0 + 8 + v * 2, metal[1]);
    // Cannon ports on the left face.
    if (k % 2 == 1) {
      fillRect(im, (int)(25 - half - 3), (int)y0 + 6, 6, 4, metal[1]);
      fillRect(im, (int)(25 - half - 3), (int)y0 + 7, 2, 2, rgb(255, 90, 30));
    }
  }
  // The core: a great eye in the centre.
  shadeEllipse(im, 25, 107, 15, 15, metal, -0.1f);
  shadeEllipse(im, 25, 107, 11, 11, glow);
  shadeEllipse(im, 22, 107, 5, 7, makeRamp(rgb(20, 0, 0), rgb(90, 0, 10), rgb(200, 40, 40), 3));
  im.set(20, 103, rgb(255, 255, 255));
  im.set(21, 103, rgb(255, 255, 255));
  // Small lamps above and below the core.
  for (int y : {40, 68, 146, 174}) shadeEllipse(im, 25, (float)y, 3, 3, glow);
  outline(im, rgb(14, 8, 24));
  return im;
}

static Image armFrame(int f) {
  Image im(90, 40);
  Ramp metal = bossMetal(), flesh = bossFlesh(), glow = bossGlow();
  float ph = 2 * PI * f / 32.f;
  const int n = 10;
  // Segments from the shoulder (right) to the wrist (left) along a travelling wave.
  Pt seg[n];
  for (int i = 0; i < n; ++i) {
    float t = (float)i / (n - 1);
    seg[i].x = 84 - t * 62;
    seg[i].y = 20 + std::sin(ph - t * 3.f) * 7.f * t;
  }
  for (int i = 0; i < n - 1; ++i)
    thickLine(im, seg[i].x, seg[i].y, seg[i + 1].x, seg[i + 1].y, 2.2f, flesh[2]);
  for (int i = 0; i < n; ++i) {
    float r = 5.5f - i * 0.25f;
    shadeEllipse(im, seg[i].x, seg[i].y, r, r * 0.9f, metal);
    im.set((int)seg[i].x, (int)(seg[i].y - r * 0.3f), glow[3]);
  }
  // Claw: two pincers that open and close.
  Pt w = seg[n - 1];
  float open = 0.35f + 0.3f * std::sin(ph * 2);
  for (int side = -1; side <= 1; side += 2) {
    float ang = PI + side * open;
    float mx = w.x + std::cos(ang) * 10, my = w.y + std::sin(ang) * 10;
    float tx = mx - 7, ty = my - side * 4;
    shadePoly(im, {{w.x, w.y - 2.5f}, {mx, my - 2}, {tx, ty}, {mx + 1, my + 2}, {w.x, w.y + 2.5f}},
              metal, side < 0 ? 0.1f : -0.1f);
    im.set((int)tx, (int)ty, rgb(255, 240, 200));
  }
  shadeEllipse(im, w.x, w.y, 4, 4, glow);
  // Shoulder socket.
  shadeEllipse(im, 86, 20, 4, 8, metal, -0.1f);
  outline(im, rgb(14, 8, 24));
  return im;
}

Frames paintBossArms() {
  Frames out;
  for (int f = 0; f < 32; ++f) out.push_back(armFrame(f));
  return out;
}
