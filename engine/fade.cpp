// Fades a surface in or out over the display, one step per whole tick of the clock seam.
#include "engine/fade.h"

#include <cstdint>
#include <cstdio>

#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/frame_shortcuts.h"
#include "platform/globals.h"
#include "platform/sdl_bridges.h"

namespace {
bool isWhole565(const SDL_Surface* surface) {
  const SDL_PixelFormat* f = surface->format;
  bool wordRows = surface->pitch % 4 == 0 && reinterpret_cast<uintptr_t>(surface->pixels) % 4 == 0;
  return surface->w == WINDOW_WIDTH && surface->h == WINDOW_HEIGHT && !SDL_MUSTLOCK(surface) &&
         wordRows && f->BytesPerPixel == 2 && f->Rmask == 0xF800 && f->Gmask == 0x07E0 &&
         f->Bmask == 0x001F && f->Amask == 0;
}

bool fadesOverBlack(const SDL_Surface* picture) {
  if (!frameShortcuts.fadedCopy || picture == nullptr || globalScreen == nullptr) return false;
  if ((picture->flags & SDL_SRCALPHA) == 0 || surfaceAlpha(picture) == SDL_ALPHA_OPAQUE)
    return false;
  bool wholeRects = tempSrcRect.x == 0 && tempSrcRect.y == 0 && tempSrcRect.w >= WINDOW_WIDTH &&
                    tempSrcRect.h >= WINDOW_HEIGHT && tempDstRect.x == 0 && tempDstRect.y == 0;
  return (picture->flags & SDL_SRCCOLORKEY) == 0 && wholeRects && isWhole565(picture) &&
         isWhole565(globalScreen);
}
}  // namespace

namespace {
// Two 16-bit pixels read and written as one word; may alias the surfaces' pixels.
typedef Uint32 __attribute__((may_alias)) pixelPair;

// SDL blends 16-bit pixels with the top 5 bits of the alpha, each pixel spread into a 32-bit
// word with green apart from red and blue: over black, every colour times alpha / 32,
// rounded down (its half-alpha path gives the same). For the alpha in use, tables hold
// that for red with green (the pixel's top 11 bits) and for blue: two lookups a pixel.
Uint32 tablesAlpha = 32;  // none made yet
Uint32 redGreen[2048];    // words, which ARM loads by a scaled index in one instruction
Uint32 blue[32];

void makeFadeTables(Uint32 alpha) {
  if (tablesAlpha == alpha) return;
  tablesAlpha = alpha;
  for (Uint32 i = 0; i < 2048; i++)
    redGreen[i] = ((i >> 6) * alpha >> 5) << 11 | ((i & 63) * alpha >> 5) << 5;
  for (Uint32 i = 0; i < 32; i++) blue[i] = i * alpha >> 5;
}

SDL_Surface* fadedSurface = nullptr;  // kept for the game's run: 150 KB, made at the first fade
}  // namespace

SDL_Surface* fadedOverBlack(SDL_Surface* picture) {
  if (!fadesOverBlack(picture)) return nullptr;
  if (fadedSurface == nullptr) {
    fadedSurface = SDL_CreateRGBSurface(SDL_SWSURFACE, WINDOW_WIDTH, WINDOW_HEIGHT, 16, 0xF800,
                                        0x07E0, 0x001F, 0);
    if (fadedSurface == nullptr || !isWhole565(fadedSurface)) return nullptr;
  }
  makeFadeTables(surfaceAlpha(picture) >> 3);
  // Both halves of a word get the same treatment, whichever pixel is in which half.
  for (int y = 0; y < WINDOW_HEIGHT; y++) {
    const pixelPair* from = reinterpret_cast<const pixelPair*>(
        static_cast<const Uint8*>(picture->pixels) + y * picture->pitch);
    pixelPair* to = reinterpret_cast<pixelPair*>(static_cast<Uint8*>(fadedSurface->pixels) +
                                                 y * fadedSurface->pitch);
    for (int x = 0; x < WINDOW_WIDTH / 2; x++) {
      Uint32 two = from[x];
      Uint32 low = redGreen[(two >> 5) & 0x7FF] | blue[two & 0x1F];
      Uint32 high = redGreen[two >> 21] | blue[(two >> 16) & 0x1F];
      to[x] = low | high << 16;
    }
  }
  return fadedSurface;
}

namespace {
void showFadeStep(SDL_Surface* toBeFaded, int inOrOut, float fadePoint, int durationTicks) {
  int a = static_cast<int>(fadePoint / durationTicks * 255.0f);
  if (a > 255) a = 255;
  Uint8 alpha = static_cast<Uint8>(inOrOut == FADE_IN ? a : 255 - a);
  SDL_SetAlpha(toBeFaded, SDL_SRCALPHA, alpha);
  if (globalScreen == nullptr) return;
  SDL_Rect dst = tempDstRect;
  if (SDL_Surface* faded = fadedOverBlack(toBeFaded)) {
    SDL_BlitSurface(faded, &tempSrcRect, globalScreen, &dst);  // a copy of the fade
  } else {
    SDL_FillRect(globalScreen, nullptr, SDL_MapRGB(globalScreen->format, 0, 0, 0));
    SDL_BlitSurface(toBeFaded, &tempSrcRect, globalScreen, &dst);
  }
  SDL_Flip(globalScreen);
}
}  // namespace

void fadeScreen(SDL_Surface* toBeFaded, int inOrOut, int durationTicks) {
  printf(inOrOut == FADE_OUT ? "Fading Out" : "Fading In");
  printf("1");
  float fadePoint = 0.0f;
  float oldTime = static_cast<float>(readClock());
  const float tickMs = 16.0f;
  printf("2");
  fflush(stdout);
  if (toBeFaded == nullptr) return;
  while (durationTicks > fadePoint) {
    int timeElapsed = 0;
    float newTime = static_cast<float>(readClock());
    if (newTime - oldTime >= 1.0f) {
      timeElapsed = static_cast<int>((newTime - oldTime) / tickMs);
      if (timeElapsed > 0) oldTime = newTime;
      if (timeElapsed > MAX_INC) timeElapsed = MAX_INC;
    }
    if (timeElapsed > 0) {
      fadePoint += timeElapsed;
      showFadeStep(toBeFaded, inOrOut, fadePoint, durationTicks);
    } else {
      yieldProcessorUntil(static_cast<Uint32>(oldTime) + TICK_MS);
    }
  }
}
