// The title picture (name over a space scene) and the instruction picture (controls).
#include <cmath>
#include <cstring>
#include <numeric>

#include "painters.h"
#include "scenery.h"
#include "textdraw.h"

static const int SW = 320, SH = 240;

// 5x7 capitals for the big title, one string per row ('#' set).
struct BigGlyph {
  char c;
  const char* rows[7];
};
static const BigGlyph BIG_GLYPHS[] = {
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
};

// Draws a word in big smoothed capitals: 5x7 glyphs made bold, then doubled twice.
static void bigWord(Image& im, int cx, int y, const char* word, Col top, Col bottom, Col edge) {
  int n = (int)strlen(word);
  Image m(n * 7, 9);
  for (int i = 0; i < n; ++i)
    for (const BigGlyph& g : BIG_GLYPHS)
      if (g.c == word[i])
        for (int r = 0; r < 7; ++r)
          for (int c = 0; c < 5; ++c)
            if (g.rows[r][c] == '#') {
              m.set(i * 7 + c + 1, r + 1, rgb(255, 255, 255));
            }
  Image big = scale2x(scale2x(m));
  // Thicken strokes by one pixel to the right and down for weight.
  Image bold = big;
  for (int yy = 0; yy < big.h; ++yy)
    for (int xx = 0; xx < big.w; ++xx)
      if (big.opaque(xx, yy)) {
        bold.set(xx + 1, yy, rgb(255, 255, 255));
        bold.set(xx, yy + 1, rgb(255, 255, 255));
        bold.set(xx + 1, yy + 1, rgb(255, 255, 255));
      }
  int x0 = cx - bold.w / 2;
  // Shadow, outline, then the gradient fill with a bright top rim.
  for (int yy = 0; yy < bold.h; ++yy)
    for (int xx = 0; xx < bold.w; ++xx)
      if (bold.opaque(xx, yy)) {
        for (int d = 1; d <= 4; ++d) im.set(x0 + xx + d, y + yy + d, rgb(20, 6, 30));
        for (int oy = -2; oy <= 2; ++oy)
          for (int ox = -2; ox <= 2; ++ox)
            if (std::abs(ox) + std::abs(oy) <= 3) im.set(x0 + xx + ox, y + yy + oy, edge);
      }
  for (int yy = 0; yy < bold.h; ++yy)
    for (int xx = 0; xx < bold.w; ++xx)
      if (bold.opaque(xx, yy)) {
        float t = (float)yy / bold.h;
        Col c = rampAt({top, mixCol(top, bottom, 0.33f), mixCol(top, bottom, 0.66f), bottom}, t, xx,
                       yy);
        if (!bold.opaque(xx, yy - 1))
          c = rgb(255, 255, 230);
        else if (std::fabs(t - 0.5f) < 0.03f)
          c = mixCol(c, rgb(255, 255, 255), 0.5f);  // chrome band
        im.set(x0 + xx, y + yy, c);
      }
}

static void spaceBackdrop(Image& im, uint64_t seed) {
  skyGradient(im, {{0, rgb(4, 4, 18)}, {120, rgb(14, 12, 44)}, {240, rgb(34, 18, 60)}});
  // Nebula wisps.
  for (int y = 0; y < im.h; ++y)
    for (int x = 0; x < im.w; ++x) {
      float n = 0.6f * noise2(seed, (float)x, (float)y, 320, 80) +
                0.4f * noise2(seed + 1, (float)x, (float)y, 320, 32);
      float q = (n - 0.5f) * 3.f;
      if (q <= 0) continue;
      Col neb = (x + y) % 2 ? rgb(120, 40, 130) : rgb(40, 90, 150);
      if (ditherUp(x, y, std::min(1.f, q))) im.set(x, y, mixCol(im.get(x, y), neb, 0.35f));
    }
  Rng rng(seed);
  stars(im, rng, 300, im.h - 1, rgb(240, 240, 255));
  stars(im, rng, 40, im.h - 1, rgb(255, 210, 160));
}

static void planet(Image& im, float cx, float cy, float r) {
  // Back half of the ring, planet, then the front half of the ring.
  auto ring = [&](bool front) {
    for (int k = 0; k < 900; ++k) {
      float a = 6.2831853f * k / 900;
      bool isFront = std::sin(a) > 0;
      if (isFront != front) continue;
      for (float rr = 1.35f; rr < 1.75f; rr += 0.06f) {
        float x = cx + std::cos(a) * r * rr,
              y = cy + std::sin(a) * r * rr * 0.28f - std::cos(a) * r * rr * 0.12f;
        // Icy rings: cool colours so they read against the warm planet.
        Col c = rr < 1.5f ? rgb(214, 232, 250) : rgb(140, 164, 210);
        if (!front) c = scaleCol(c, 0.7f);
        if (rr > 1.56f && rr < 1.62f) continue;                  // the gap between rings
        if (front) im.set((int)x, (int)y + 1, rgb(40, 20, 50));  // thin shadow under the ring
        im.set((int)x, (int)y, c);
      }
    }
  };
  ring(false);
  Ramp body = makeRamp(rgb(30, 14, 40), rgb(170, 80, 90), rgb(255, 200, 160), 7);
  for (int y = (int)(cy - r); y <= (int)(cy + r); ++y)
    for (int x = (int)(cx - r); x <= (int)(cx + r); ++x) {
      float dx = (x + 0.5f - cx) / r, dy = (y + 0.5f - cy) / r;
      float d = dx * dx + dy * dy;
      if (d > 1) continue;
      float z = std::sqrt(1 - d);
      float l = -0.55f * dx - 0.45f * dy + 0.6f * z;
      float band = 0.12f * std::sin(dy * 14 + std::sin(dx * 3) * 1.5f);
      im.set(x, y, rampAt(body, 0.45f + 0.6f * l + band, x, y));
    }
  ring(true);
}

Image paintTitle(const Image& ship) {
  Image im(SW, SH);
  spaceBackdrop(im, 3);
  planet(im, 250, 178, 52);
  shadeEllipse(im, 60, 196, 10, 10,
               makeRamp(rgb(30, 40, 60), rgb(110, 130, 160), rgb(220, 230, 245), 5));
  // The ship, doubled, with a long exhaust trail.
  for (int x = 0; x < 110; ++x) {
    float t = x / 110.f;
    int y = 128 + (int)(std::sin(x * 0.3f) * t * 1.5f);
    Col c = mixCol(rgb(255, 240, 180), rgb(255, 80, 40), t);
    if (ditherUp(x, y, 1 - t)) im.set(118 - x, y, c);
    if (ditherUp(x, y + 1, (1 - t) * 0.7f)) im.set(118 - x, y + 1, c);
  }
  blit(im, scaleNearest(ship, 2), 100, 107);
  bigWord(im, SW / 2, 26, "SKARNFALL", rgb(255, 246, 170), rgb(232, 76, 40), rgb(48, 10, 40));
  const char* sub = "DEFEND THE FOUR REALMS";
  drawText(im, (SW - textWidth(sub)) / 2, 76, sub, rgb(200, 220, 255), rgb(20, 10, 40));
  const char* hint = "Press Space";
  int w = textWidth(hint);
  blendRect(im, (SW - w) / 2 - 6, 214, w + 12, 12, rgb(0, 0, 0, 150));
  drawText(im, (SW - w) / 2, 216, hint, rgb(255, 236, 140), rgb(60, 20, 0));
  return im;
}

// ---------------------------------------------------------------- instructions

static void keycap(Image& im, int x, int y, const char* label) {
  int w = textWidth(label) + 5;
  fillRect(im, x, y, w, 11, rgb(40, 44, 70));
  fillRect(im, x + 1, y, w - 2, 10, rgb(214, 218, 232));
  fillRect(im, x + 1, y + 9, w - 2, 1, rgb(130, 134, 160));
  drawText(im, x + 3, y + 1, label, rgb(20, 22, 40), Col());
}

struct Row {
  const char* keys[4];
  const char* what;
};

static void panel(Image& im, int x, int y, int w, const char* title, const Row* rows, int n) {
  blendRect(im, x, y, w, 16 + n * 13 + 4, rgb(10, 14, 36, 200));
  for (int i = x; i < x + w; ++i) {
    im.set(i, y, rgb(90, 120, 200));
    im.set(i, y + 16 + n * 13 + 3, rgb(50, 60, 120));
  }
  drawText(im, x + 6, y + 4, title, rgb(140, 220, 255), rgb(0, 0, 0));
  for (int r = 0; r < n; ++r) {
    int yy = y + 18 + r * 13;
    int kx = x + 6;
    for (int k = 0; k < 4 && rows[r].keys[k]; ++k) {
      keycap(im, kx, yy, rows[r].keys[k]);
      kx += textWidth(rows[r].keys[k]) + 7;
    }
    drawText(im, x + 62, yy + 2, rows[r].what, rgb(236, 236, 246), rgb(0, 0, 0));
  }
}

Image paintInstructions(const Image& ship) {
  Image im(SW, SH);
  spaceBackdrop(im, 8);
  drawText2x(im, (SW - 2 * textWidth("HOW TO PLAY")) / 2, 6, "HOW TO PLAY", rgb(255, 246, 170),
             rgb(240, 120, 50), rgb(40, 10, 30));
  static const Row keys[] = {
      {{"Arrows", nullptr}, "Move"},           {{"A", "D", "S", "W"}, "Fire W/E/S/N"},
      {{nullptr}, "Two: diagonals"},           {{"Q", nullptr}, "Smart bomb"},
      {{"E", nullptr}, "Speed boost"},         {{"P", nullptr}, "Pause"},
      {{"K", "L", nullptr}, "Volume - / +"},   {{"Esc", nullptr}, "Leave the level"},
      {{"Space", nullptr}, "Confirm, resume"},
  };
  static const Row pad[] = {
      {{"Stick", nullptr}, "Move, 8 ways"}, {{"A", "B", "X", "Y"}, "Fire W/E/S/N"},
      {{nullptr}, "Two: diagonals"},        {{"L", nullptr}, "Smart bomb"},
      {{"R", nullptr}, "Speed boost"},      {{"Start", nullptr}, "Pause"},
      {{"V-", "V+", nullptr}, "Volume"},    {{"Select", nullptr}, "Leave the level"},
      {{"B", nullptr}, "Confirm"},
  };
  panel(im, 4, 28, 154, "KEYBOARD", keys, 9);
  panel(im, 162, 28, 154, "HANDHELD", pad, 9);
  // Tips with the pick-ups the player will meet.
  const char* tip = "Fly into pick-ups: health, bombs, points, fire power.";
  drawText(im, (SW - textWidth(tip)) / 2, 188, tip, rgb(200, 210, 240), rgb(0, 0, 0));
  blit(im, ship, 20, 206);
  const char* hint = "Press Space";
  int w = textWidth(hint);
  blendRect(im, (SW - w) / 2 - 6, 222, w + 12, 12, rgb(0, 0, 0, 150));
  drawText(im, (SW - w) / 2, 224, hint, rgb(255, 236, 140), rgb(60, 20, 0));
  return im;
}

// ---------------------------------------------------------------- desktop icon

// A round badge of night sky with the ship crossing it, for launchers: drawn at 64 pixels
// times k with pixel-art scaling, so every size above 64 shows the same picture.
static Image paintBadge(const Image& ship, int k) {
  Image sky(64, 64);
  spaceBackdrop(sky, 7);
  int n = 64 * k;
  Image im(n, n, rgb(0, 0, 0, 0));
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      float dx = x - (n - 1) / 2.f, dy = y - (n - 1) / 2.f;
      float d = std::sqrt(dx * dx + dy * dy) / k;
      if (d < 29.5f)
        im.set(x, y, sky.get(x / k, y / k));
      else if (d < 31.5f)
        im.set(x, y, rgb(232, 76, 40));
    }
  Image big = scaleNearest(ship, k);
  blit(im, big, (n - big.w) / 2 + 2 * k, (n - big.h) / 2);
  return im;
}

// Shrinks a square picture to size by averaging whole blocks (colour weighted by alpha):
// enlarged first by nearest neighbour so that the blocks come out whole.
static Image shrinkSquare(const Image& src, int size) {
  int common = std::gcd(src.w, size);
  Image big = scaleNearest(src, size / common);
  int block = src.w / common;
  Image out(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      long r = 0, g = 0, b = 0, a = 0;
      for (int v = 0; v < block; ++v)
        for (int u = 0; u < block; ++u) {
          Col c = big.get(x * block + u, y * block + v);
          r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, a += c.a;
        }
      if (a > 0) out.set(x, y, rgb(r / a, g / a, b / a, a / (block * block)));
    }
  return out;
}

Image paintIcon(const Image& ship, int size) {
  return size < 64 ? shrinkSquare(paintBadge(ship, 1), size) : paintBadge(ship, size / 64);
}
