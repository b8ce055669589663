// The browser build's fill against SDL's own SDL_FillRect on the same surface: rectangles
// inside, across each edge and wholly off each side, with and without a clip rectangle.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/pixels/memory_blit.h"

namespace {
struct fillCase {
  const char* what;
  SDL_Rect rect;
};

const fillCase CASES[] = {
    {"inside", {40, 30, 8, 8}},
    {"the whole surface", {0, 0, 320, 240}},
    {"larger than the surface", {-10, -10, 400, 300}},
    {"across the left edge", {-4, 10, 8, 8}},
    {"across the right edge", {316, 10, 8, 8}},
    {"across the top edge", {10, -4, 8, 8}},
    {"across the bottom edge", {10, 236, 8, 8}},
    {"across the bottom right corner", {316, 236, 8, 8}},
    {"off the left", {-20, 10, 8, 8}},
    {"off the right", {330, 10, 8, 8}},
    {"off the top", {10, -20, 8, 8}},
    {"off the bottom", {10, 250, 8, 8}},
    {"off the bottom right", {330, 230, 8, 8}},
    {"just off the right", {320, 0, 8, 8}},
    {"just off the bottom", {0, 240, 8, 8}},
    {"empty", {50, 50, 0, 0}},
};
// Clip rectangles the fill honours: none (the whole surface), and a window inside.
const SDL_Rect CLIPS[] = {{0, 0, 320, 240}, {12, 20, 300, 200}};

SDL_Surface* noisy(int bits, Uint32 seed) {
  SDL_Surface* s =
      bits == 16 ? SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0xF800, 0x07E0, 0x001F, 0)
                 : SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 32, 0x00FF0000, 0x0000FF00,
                                        0x000000FF, 0xFF000000);
  Uint8* p = static_cast<Uint8*>(s->pixels);
  for (int i = 0; i < s->pitch * s->h; i++) {
    seed = seed * 1103515245u + 12345u;
    p[i] = static_cast<Uint8>(seed >> 16);
  }
  return s;
}

TEST(fillTest, leavesThePixelsSdlLeaves) {
  for (int bits : {16, 32}) {
    for (const SDL_Rect& clip : CLIPS) {
      for (const fillCase& c : CASES) {
        SDL_Surface* bySdl = noisy(bits, 7);
        SDL_Surface* byMemory = noisy(bits, 7);
        SDL_Rect clipCopy = clip;
        SDL_SetClipRect(bySdl, &clipCopy);
        SDL_SetClipRect(byMemory, &clipCopy);
        SDL_Rect rect = c.rect;  // SDL_FillRect clips it in place
        Uint32 colour = bits == 16 ? 0x5678u : 0x12345678u;
        SDL_FillRect(bySdl, &rect, colour);
        fillMemory(byMemory, &c.rect, colour);
        size_t bytes = static_cast<size_t>(bySdl->pitch) * bySdl->h;
        EXPECT_EQ(std::memcmp(bySdl->pixels, byMemory->pixels, bytes), 0)
            << c.what << ", " << bits << " bits, clip at " << clip.x << "," << clip.y;
        SDL_FreeSurface(bySdl);
        SDL_FreeSurface(byMemory);
      }
    }
  }
}
}  // namespace
