// Drawing by runs, and the browser build's blits in memory, must leave exactly the pixels
// and rectangle SDL's blit leaves: colour-keyed and alpha sheets, pictures faded by a
// surface alpha, clipped at every edge, onto backgrounds of every colour.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <tuple>

#include "engine/pixel_runs.h"
#include "engine/sprite_type.h"
#include "platform/constants.h"
#include "platform/pixels/memory_blit.h"
#include "platform/sdl_bridges.h"
#include "tests/support/headless.h"

namespace {
const Uint16 KEY = 0xFB3F;  // 254, 102, 254 on 16 bits

struct dice {
  Uint32 state = 12345;
  Uint32 next() {
    state = state * 1103515245u + 12345u;
    return state >> 8;
  }
  int below(int n) { return static_cast<int>(next() % static_cast<Uint32>(n)); }
};

// Stretches of the key between stretches of colour, as in a sheet of small figures.
SDL_Surface* keyedImage(dice& d, int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 16, 0xF800, 0x07E0, 0x001F, 0);
  fillNoise(s, d.state);
  for (int y = 0; y < h; y++) {
    Uint16* row = surfaceRow(s, y);
    int x = 0;
    while (x < w) {
      int gap = d.below(12), solid = d.below(12);
      for (int i = 0; i < gap && x < w; i++) row[x++] = KEY;
      x += solid;
    }
  }
  SDL_SetColorKey(s, SDL_SRCCOLORKEY, KEY);
  return s;
}

// Every alpha from 0 to 255 occurs, in stretches, as at the soft edge of a shot.
SDL_Surface* alphaImage(dice& d, int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, w, h, 32, 0x00FF0000,
                                        0x0000FF00, 0x000000FF, 0xFF000000);
  fillNoise(s, d.state);
  for (int y = 0; y < h; y++) {
    Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < w; x++) {
      int kind = d.below(4);
      Uint32 alpha = kind == 0 ? 0 : kind == 1 ? 255 : static_cast<Uint32>(d.below(256));
      row[x] = (row[x] & 0x00FFFFFF) | alpha << 24;
    }
  }
  return s;
}

struct RunsTest : testing::Test {
  SDL_Surface* bySdl = nullptr;
  SDL_Surface* byRuns = nullptr;
  dice d;
  void SetUp() override {
    openHeadlessDisplay();
    bySdl = makeScreenSurface();
    byRuns = makeScreenSurface();
  }
  void TearDown() override {
    SDL_FreeSurface(bySdl);
    SDL_FreeSurface(byRuns);
    closeHeadlessDisplay();
  }

  using drawing = std::function<void(SDL_Surface*, SDL_Rect, SDL_Surface*, SDL_Rect&)>;

  // Draws the image both ways many times, from and to random places (often past an edge
  // of the image, the target or a random clip rectangle), and compares.
  void expectSameAsSdl(SDL_Surface* image, const pixelRuns& runs) {
    expectSameAsSdl(image, [&runs](SDL_Surface* i, SDL_Rect src, SDL_Surface* t, SDL_Rect& dst) {
      ASSERT_TRUE(runs.draw(i, src, t, dst));
    });
  }
  void expectSameAsSdl(SDL_Surface* image, const drawing& draw) {
    for (int attempt = 0; attempt < 150; attempt++) {
      fillNoise(bySdl, d.state);
      memcpy(byRuns->pixels, bySdl->pixels, static_cast<size_t>(bySdl->pitch) * bySdl->h);
      SDL_Rect clip = {static_cast<Sint16>(d.below(60)), static_cast<Sint16>(d.below(60)),
                       static_cast<Uint16>(200 + d.below(140)),
                       static_cast<Uint16>(150 + d.below(110))};
      if (attempt % 3 == 0) clip = {0, 0, 320, 240};
      SDL_SetClipRect(bySdl, &clip);
      SDL_SetClipRect(byRuns, &clip);
      SDL_Rect src = {static_cast<Sint16>(d.below(image->w + 40) - 20),
                      static_cast<Sint16>(d.below(image->h + 40) - 20),
                      static_cast<Uint16>(d.below(image->w + 30)),
                      static_cast<Uint16>(d.below(image->h + 30))};
      SDL_Rect at = {static_cast<Sint16>(d.below(420) - 60), static_cast<Sint16>(d.below(340) - 60),
                     static_cast<Uint16>(d.below(50)), static_cast<Uint16>(d.below(50))};
      SDL_Rect sdlSrc = src, sdlDst = at, runsDst = at;
      SDL_BlitSurface(image, &sdlSrc, bySdl, &sdlDst);
      draw(image, src, byRuns, runsDst);
      std::string where = "attempt " + std::to_string(attempt);
      ASSERT_EQ(std::make_tuple(runsDst.x, runsDst.y, runsDst.w, runsDst.h),
                std::make_tuple(sdlDst.x, sdlDst.y, sdlDst.w, sdlDst.h))
          << where;
      ASSERT_TRUE(sameRows(byRuns, bySdl, 0)) << where;
    }
  }
};
}  // namespace

TEST_F(RunsTest, ColourKeyedAndAlphaImagesDrawAsSdlDraws) {
  SDL_Surface* raw = alphaImage(d, 83, 61);
  SDL_Surface* alpha = SDL_DisplayFormatAlpha(raw);  // as the sheets are loaded
  SDL_FreeSurface(raw);
  for (SDL_Surface* image : {keyedImage(d, 97, 53), alpha}) {
    pixelRuns* runs =
        image == alpha ? pixelRuns::encodeAlpha(image) : pixelRuns::encodeKeyed(image, KEY);
    ASSERT_NE(runs, nullptr);
    expectSameAsSdl(image, *runs);
    if (image == alpha) {  // SDL ignores a surface alpha here, and copies without SRCALPHA
      SDL_SetAlpha(alpha, SDL_SRCALPHA, 77);
      expectSameAsSdl(image, *runs);
      SDL_SetAlpha(alpha, 0, 0);
      EXPECT_FALSE(runs->drawsAsEncoded(alpha));
    }
    delete runs;
    SDL_FreeSurface(image);
  }
}

// The browser build's blits: each kind of picture the game draws, through the same checks.
TEST_F(RunsTest, MemoryBlitsDrawAsSdlDraws) {
  const drawing inMemory = [](SDL_Surface* image, SDL_Rect src, SDL_Surface* t, SDL_Rect& dst) {
    SDL_Rect from;
    if (clipBlit(image, &src, t, dst, from))
      blitMemory(image, from, t, dst.x, dst.y,
                 mannerOf(image, surfaceColourKey(image), surfaceAlpha(image)));
  };
  SDL_Surface* raw = alphaImage(d, 83, 61);
  SDL_Surface* alpha = SDL_DisplayFormatAlpha(raw);
  SDL_Surface* converted = SDL_DisplayFormatAlpha(raw);
  convertMemory(raw, converted);  // conversion as the sheets are loaded, too
  EXPECT_EQ(memcmp(converted->pixels, alpha->pixels, static_cast<size_t>(alpha->pitch) * alpha->h),
            0);
  expectSameAsSdl(alpha, inMemory);
  SDL_Surface* keyed = keyedImage(d, 97, 53);
  expectSameAsSdl(keyed, inMemory);
  SDL_SetColorKey(keyed, 0, 0);
  const struct {  // a plain copy, then a fade's steps
    Uint32 flag;
    Uint8 alpha;
  } fades[] = {
      {0, 255}, {SDL_SRCALPHA, 255}, {SDL_SRCALPHA, 128}, {SDL_SRCALPHA, 77}, {SDL_SRCALPHA, 0}};
  for (const auto& fade : fades) {
    SDL_SetAlpha(keyed, fade.flag, fade.alpha);
    expectSameAsSdl(keyed, inMemory);
  }
  SDL_FreeSurface(converted);
  SDL_FreeSurface(alpha);
  SDL_FreeSurface(raw);
  SDL_FreeSurface(keyed);
}
