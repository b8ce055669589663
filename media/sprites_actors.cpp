// The player's ship and the five enemy kinds, each with its own silhouette and palette.
#include <cmath>

#include "painters.h"

static const float PI = 3.14159265f;

// ---------------------------------------------------------------- ship (faces right)

static void shipFlame(Image& im, int f) {
  static const int len[6] = {7, 10, 8, 11, 7, 9};
  static const int wob[6] = {0, 1, 0, -1, 1, 0};
  int L = len[f];
  const Col outer = rgb(230, 70, 20), mid = rgb(255, 170, 40), core = rgb(255, 250, 210);
  float tipY = 11 + wob[f] * 0.5f;
  fillPoly(im, {{10, 8.5f}, {10, 13.5f}, {10.f - L, tipY + 0.5f}}, outer);
  fillPoly(im, {{10, 9.5f}, {10, 12.5f}, {10.f - L * 0.7f, tipY + 0.3f}}, mid);
  fillPoly(im, {{10, 10.2f}, {10, 11.8f}, {10.f - L * 0.4f, tipY + 0.2f}}, core);
  if (f % 2 == 0) im.set(10 - L - 1, (int)tipY, rgb(255, 120, 30));
}

static Image shipFrame(int f) {
  Image im(45, 20);
  Ramp hull = makeRamp(rgb(38, 50, 86), rgb(104, 128, 178), rgb(226, 236, 250), 6);
  Ramp dark = makeRamp(rgb(26, 30, 56), rgb(58, 70, 120), rgb(120, 140, 200), 5);
  Ramp glass = makeRamp(rgb(10, 60, 90), rgb(40, 170, 220), rgb(210, 250, 255), 5);
  Ramp accent = makeRamp(rgb(120, 20, 10), rgb(220, 80, 30), rgb(255, 190, 90), 4);
  // Dorsal fin and lower wing behind the hull.
  shadePoly(im, {{12, 9}, {21, 8}, {15, 2}, {10, 2}}, dark, 0.1f);
  shadePoly(im, {{14, 12}, {31, 13}, {21, 19}, {11, 19}}, dark, -0.05f);
  // Engine block and hull.
  shadePoly(im, {{9, 8}, {14, 7}, {14, 15}, {9, 14}}, dark, -0.1f);
  shadePoly(im, {{12, 7}, {29, 5}, {38, 7}, {44, 10.5f}, {38, 13.5f}, {26, 15}, {12, 15}}, hull);
  // Red accent stripe and wing marking.
  for (int x = 16; x <= 37; ++x)
    im.set(x, 11, rampAt(accent, 0.35f + 0.5f * (x - 16) / 21.f, x, 11));
  for (int x = 15; x <= 24; ++x) im.set(x, 17, accent[1]);
  // Canopy.
  shadeEllipse(im, 31.5f, 7.8f, 5.5f, 2.6f, glass);
  im.set(29, 6, rgb(255, 255, 255));
  im.set(30, 6, rgb(255, 255, 255));
  // Panel lines.
  for (int y = 8; y <= 13; ++y) im.set(22, y, hull[1]);
  outline(im, rgb(14, 16, 34));
  // Nozzle glow, then the flame outside the outline.
  im.set(9, 10, rgb(255, 200, 80));
  im.set(9, 11, rgb(255, 240, 160));
  im.set(9, 12, rgb(255, 200, 80));
  shipFlame(im, f);
  return im;
}

Frames paintShip() {
  Frames out;
  for (int f = 0; f < 6; ++f) out.push_back(shipFrame(f));
  return out;
}

// ---------------------------------------------------------------- snake (20 frames)

static Image snakeFrame(int f) {
  Image im(45, 20);
  Ramp green = makeRamp(rgb(14, 56, 34), rgb(52, 160, 70), rgb(196, 246, 130), 6);
  Ramp band = makeRamp(rgb(70, 60, 10), rgb(200, 170, 40), rgb(255, 240, 150), 5);
  const int n = 9;
  float ph = 2 * PI * f / 20.f;
  float xs[n], ys[n], rs[n];
  for (int i = 0; i < n; ++i) {
    xs[i] = 7.5f + i * 4.2f;
    float amp = 1.2f + i * 0.42f;
    ys[i] = 10.f + amp * std::sin(ph - i * 0.75f);
    rs[i] = 5.4f - i * 0.38f;
  }
  for (int i = n - 1; i >= 1; --i) {
    shadeEllipse(im, xs[i], ys[i], rs[i], rs[i] * 0.95f, (i % 2) ? green : band,
                 (i % 2) ? 0.f : -0.1f);
    // Back spine spikes.
    int sx = (int)xs[i], sy = (int)(ys[i] - rs[i]);
    im.set(sx, sy - 1, rgb(230, 90, 50));
  }
  // Head: wedge jaw pointing left.
  float hy = ys[0];
  shadeEllipse(im, xs[0] + 1, hy, 6.2f, 4.6f, green, 0.05f);
  shadePoly(im, {{1, hy - 1.5f}, {6, hy - 4}, {8, hy + 3}, {2, hy + 2.5f}}, green, 0.1f);
  // Open mouth on alternate beats.
  if ((f / 5) % 2 == 0) {
    drawLine(im, 1, (int)hy + 1, 6, (int)hy + 1, rgb(120, 10, 20));
    im.set(2, (int)hy + 2, rgb(250, 250, 240));
  }
  outline(im, rgb(8, 26, 16));
  // Eye.
  im.set(5, (int)hy - 2, rgb(255, 240, 80));
  im.set(6, (int)hy - 2, rgb(255, 240, 80));
  im.set(5, (int)hy - 1, rgb(200, 20, 20));
  return im;
}

Frames paintSnake() {
  Frames out;
  for (int f = 0; f < 20; ++f) out.push_back(snakeFrame(f));
  return out;
}

// ---------------------------------------------------------------- blood fish (9 frames)

static Image fishFrame(int f) {
  Image im(45, 20);
  Ramp body = makeRamp(rgb(64, 8, 22), rgb(186, 36, 48), rgb(255, 160, 130), 6);
  Ramp fin = makeRamp(rgb(70, 10, 40), rgb(150, 40, 90), rgb(240, 120, 150), 4);
  float s = std::sin(2 * PI * f / 9.f);
  // Tail fin flaps up and down.
  float ty = 10 + s * 3.f;
  shadePoly(im, {{31, 10}, {43, ty - 7}, {40, ty}, {43, ty + 7}}, fin);
  // Dorsal and belly fins.
  shadePoly(im, {{15, 5}, {21, 0.5f + s * 0.5f}, {28, 2}, {26, 6}}, fin, 0.05f);
  shadePoly(im, {{18, 15}, {24, 19.5f - s * 0.7f}, {27, 15}}, fin, -0.1f);
  shadeEllipse(im, 19.5f, 10, 14.5f, 7, body);
  // Scale rows: darker dithered arcs.
  for (int y = 5; y < 16; ++y)
    for (int x = 14; x < 31; ++x)
      if (im.opaque(x, y) && ((x + (y / 2) * 2) % 5 == 0) && (y % 2 == 0))
        im.set(x, y, scaleCol(im.get(x, y), 0.78f));
  // Pale belly.
  for (int x = 8; x < 28; ++x) {
    int y = 14 + (x > 12 && x < 24 ? 1 : 0);
    if (im.opaque(x, y)) im.set(x, y, rgb(250, 190, 170));
  }
  // Jaw with teeth; opens on some frames.
  int open = (f % 3 == 0) ? 2 : 1;
  fillRect(im, 4, 10, 7, open, rgb(70, 0, 10));
  for (int x = 5; x < 11; x += 2) {
    im.set(x, 9 + 1, rgb(255, 250, 235));
    im.set(x + 1, 10 + open - 1, rgb(255, 250, 235));
  }
  outline(im, rgb(40, 4, 14));
  // Big yellow eye.
  shadeEllipse(im, 11, 7, 2.5f, 2.5f,
               makeRamp(rgb(150, 110, 0), rgb(255, 220, 40), rgb(255, 255, 200), 4));
  im.set(10, 7, rgb(10, 0, 0));
  im.set(10, 8, rgb(10, 0, 0));
  return im;
}

Frames paintBloodfish() {
  Frames out;
  for (int f = 0; f < 9; ++f) out.push_back(fishFrame(f));
  return out;
}

// ---------------------------------------------------------------- giro (4 frames, spinning)

static Image giroFrame(int f) {
  Image im(45, 20);
  Ramp metal = makeRamp(rgb(30, 40, 56), rgb(100, 130, 150), rgb(220, 240, 245), 6);
  Ramp dome = makeRamp(rgb(10, 50, 60), rgb(40, 160, 150), rgb(190, 255, 230), 5);
  // Rotor blades on top, turning.
  float a = PI * f / 4.f;
  for (int k = 0; k < 2; ++k) {
    float c = std::cos(a + k * PI / 2) * 16;
    fillRect(im, (int)std::min(22.f, 22 + c), 1, (int)std::fabs(c) + 1, 1, rgb(170, 180, 190));
  }
  fillRect(im, 21, 1, 3, 3, rgb(70, 80, 90));
  shadeEllipse(im, 22.5f, 8, 8, 5.5f, dome);
  shadeEllipse(im, 22.5f, 12, 21.5f, 4.5f, metal);
  // Rim lights chase around the disk.
  for (int i = 0; i < 6; ++i) {
    float t = (i + f / 4.f) / 6.f;
    float ang = 2 * PI * t;
    float x = 22.5f + std::cos(ang) * 19, y = 12 + std::sin(ang) * 2.5f;
    if (std::sin(ang) < -0.2f) continue;  // lights on the far side are hidden
    im.set((int)x, (int)y, i % 2 ? rgb(255, 150, 30) : rgb(255, 240, 120));
    im.set((int)x + 1, (int)y, rgb(255, 110, 20));
  }
  // Underside exhaust.
  fillRect(im, 18, 16, 9, 2, metal[1]);
  outline(im, rgb(12, 18, 28));
  // Red scanner eye at the front (left).
  im.set(14, 8, rgb(255, 60, 40));
  im.set(15, 8, rgb(255, 180, 140));
  im.set(14, 9, rgb(180, 20, 20));
  return im;
}

Frames paintGiro() {
  Frames out;
  for (int f = 0; f < 4; ++f) out.push_back(giroFrame(f));
  return out;
}

// ---------------------------------------------------------------- bubble (6 frames, pulsing)

static Image bubbleFrame(int f) {
  Image im(45, 20);
  Ramp skin = makeRamp(rgb(60, 20, 96), rgb(150, 90, 220), rgb(240, 214, 255), 6);
  Ramp small = makeRamp(rgb(40, 40, 110), rgb(90, 140, 230), rgb(210, 240, 255), 5);
  float p = std::sin(2 * PI * f / 6.f);
  // Trailing tendrils wave behind (to the right).
  for (int k = 0; k < 3; ++k) {
    float y0 = 7.f + k * 3.f;
    for (int x = 22; x < 43; ++x) {
      float y = y0 + std::sin(x * 0.45f - 2 * PI * f / 6.f + k) * 1.6f;
      im.set(x, (int)y, (x % 3) ? rgb(130, 70, 190) : rgb(200, 140, 255));
    }
  }
  shadeEllipse(im, 36, 4, 2.6f + p * 0.3f, 2.6f + p * 0.3f, small);
  shadeEllipse(im, 31, 15, 3.5f - p * 0.4f, 3.5f - p * 0.4f, small);
  float r = 8.4f + p * 0.8f;
  shadeEllipse(im, 14, 10, r, r * (1.f - p * 0.05f), skin);
  // Glossy rim highlight.
  im.set(10, 4, rgb(255, 255, 255));
  im.set(11, 4, rgb(255, 255, 255));
  im.set(9, 5, rgb(255, 255, 255));
  outline(im, rgb(30, 10, 50));
  // Nucleus eye looking left.
  shadeEllipse(im, 12, 10.5f, 3.4f, 3.4f,
               makeRamp(rgb(40, 0, 20), rgb(220, 40, 90), rgb(255, 180, 200), 4));
  im.set(10, 10, rgb(10, 0, 10));
  im.set(10, 11, rgb(10, 0, 10));
  im.set(11, 10, rgb(10, 0, 10));
  return im;
}

Frames paintBubble() {
  Frames out;
  for (int f = 0; f < 6; ++f) out.push_back(bubbleFrame(f));
  return out;
}

// ---------------------------------------------------------------- dragon (90x40, 30 frames)

static Image dragonFrame(int f) {
  Image im(90, 40);
  Ramp scales = makeRamp(rgb(80, 24, 10), rgb(214, 104, 30), rgb(255, 222, 130), 6);
  Ramp wing = makeRamp(rgb(60, 14, 36), rgb(150, 40, 60), rgb(230, 110, 100), 5);
  Ramp belly = makeRamp(rgb(140, 100, 30), rgb(240, 200, 90), rgb(255, 250, 200), 4);
  float ph = 2 * PI * f / 30.f;
  float flap = std::sin(ph);  // +1 wings up, -1 down
  float bob = -flap * 1.5f;
  // Far wing (darker), then tail, body, neck, head, near wing.
  float wy = 18 + bob;
  auto wingPoly = [&](float dx, float k) {
    float tipY = wy - 16 * flap * k - 2;
    float tipX = 52 + dx;
    return std::vector<Pt>{
        {36 + dx, wy},     {tipX - 6, tipY + 2}, {tipX + 8, tipY}, {62 + dx, wy - 2 - 4 * flap},
        {58 + dx, wy + 3}, {50 + dx, wy + 1},    {44 + dx, wy + 4}};
  };
  shadePoly(im, wingPoly(4, 0.8f), wing, -0.25f);
  // Tail waves toward the right edge.
  for (int i = 0; i < 14; ++i) {
    float x = 58 + i * 2.2f;
    float y = 22 + bob * 0.5f + std::sin(ph - i * 0.45f) * (1 + i * 0.25f);
    float r = 4.2f - i * 0.25f;
    shadeEllipse(im, x, y, r, r, scales, -0.05f);
    if (i == 13) shadePoly(im, {{x, y - 1}, {x + 4, y - 4}, {x + 3, y + 1}}, wing);
  }
  shadeEllipse(im, 46, 22 + bob, 14, 7, scales);
  for (int x = 36; x < 58; ++x) {
    int y = (int)(26 + bob) + (x > 40 && x < 54 ? 1 : 0);
    if (im.opaque(x, y)) im.set(x, y, rampAt(belly, 0.5f + 0.02f * (x % 3), x, y));
  }
  // Legs tucked under.
  shadePoly(im, {{40, 26 + bob}, {44, 27 + bob}, {42, 32 + bob}, {38, 31 + bob}}, scales, -0.2f);
  shadePoly(im, {{50, 26 + bob}, {54, 27 + bob}, {53, 32 + bob}, {49, 31 + bob}}, scales, -0.2f);
  // Neck curving to the head on the left.
  for (int i = 0; i < 7; ++i) {
    float t = i / 6.f;
    float x = 34 - t * 18, y = 20 + bob - std::sin(t * PI * 0.8f) * 5 + std::sin(ph + 1) * t;
    shadeEllipse(im, x, y, 4.2f - t, 4.2f - t, scales);
  }
  float hx = 11, hy = 15 + bob + std::sin(ph + 1);
  shadeEllipse(im, hx + 3, hy, 6, 4.5f, scales, 0.05f);
  shadePoly(im, {{1, hy}, {6, hy - 3}, {10, hy + 2}, {3, hy + 3}}, scales, 0.1f);  // snout
  shadePoly(im, {{13, hy - 3}, {20, hy - 9}, {17, hy - 3}}, belly);                // horn
  shadePoly(im, {{10, hy - 3}, {14, hy - 8}, {13, hy - 3}}, belly, -0.1f);
  // Near wing over the body.
  shadePoly(im, wingPoly(0, 1.f), wing, 0.05f);
  // Wing bones.
  std::vector<Pt> w = wingPoly(0, 1.f);
  drawLine(im, (int)w[0].x, (int)w[0].y, (int)w[2].x, (int)w[2].y, rgb(250, 150, 90));
  drawLine(im, (int)w[0].x, (int)w[0].y, (int)w[3].x, (int)w[3].y, rgb(200, 90, 70));
  outline(im, rgb(40, 10, 8));
  // Eye and nostril glow.
  im.set((int)hx + 2, (int)hy - 2, rgb(255, 255, 120));
  im.set((int)hx + 3, (int)hy - 2, rgb(255, 200, 40));
  im.set(2, (int)hy + 1, rgb(255, 120, 30));
  if (f % 10 < 3) im.set(0, (int)hy + 1, rgb(255, 200, 80));  // smoke puff flicker
  return im;
}

Frames paintDragon() {
  Frames out;
  for (int f = 0; f < 30; ++f) out.push_back(dragonFrame(f));
  return out;
}
