// Building blocks for the scrolling scenery. Every helper draws through Image::set/blend,
// so on a canvas with wrapX set everything repeats cleanly across the left/right seam.
#pragma once
#include <functional>
#include <vector>

#include "canvas.h"

struct Stop {
  float y;
  Col c;
};

// Vertical gradient through the stops, in 6-pixel bands blended with ordered dithering.
void skyGradient(Image& im, const std::vector<Stop>& stops);
// Soft radial glow added over the sky (sun halo, city light).
void glow(Image& im, float cx, float cy, float rx, float ry, Col c, float strength);
void stars(Image& im, Rng& rng, int count, int maxY, Col tint);
void moon(Image& im, float cx, float cy, float r, Ramp ramp, Col sky);
// Horizontal cloud bank between y0 and y1 from periodic 2-D noise.
void clouds(Image& im, uint64_t seed, int y0, int y1, float cover, Col lit, Col shade, int cell);

// Terrain filled downwards from top(x) to the bottom; the ramp runs from deep (index 0) to the
// sunlit crest, rim pixels catch the light.
void fillTerrain(Image& im, const std::function<float(int)>& top, const Ramp& r, float fade,
                 Col rim);

void pineTree(Image& im, float x, float baseY, float h, Col body, Col lit, Col snow);
void roundTree(Image& im, Rng& rng, float x, float baseY, float h, const Ramp& leaves, Col trunk);
void column(Image& im, float x, float baseY, float h, float w, const Ramp& stone, bool broken,
            Rng& rng);
void arch(Image& im, float x, float baseY, float h, float span, const Ramp& stone, Rng& rng);
void building(Image& im, Rng& rng, int x, int w, int top, int baseY, Col body, Col edge, Col lit,
              Col unlit, float litChance);
