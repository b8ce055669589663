// Fades a surface in or out over the display, one step per whole tick of the clock seam.
#include "engine/fade.h"

#include <cstdio>

#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/frame_shortcuts.h"
#include "platform/globals.h"
#include "platform/sdl_bridges.h"

namespace {
bool isWhole565(const SDL_Surface* surface) {
  const SDL_PixelFormat* f = surface->format;
  return surface->w == WINDOW_WIDTH && surface->h == WINDOW_HEIGHT && !SDL_MUSTLOCK(surface) &&
         f->BytesPerPixel == 2 && f->Rmask == 0xF800 && f->Gmask == 0x07E0 && f->Bmask == 0x001F &&
         f->Amask == 0;
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

// SDL blends 16-bit pixels with the top 5 bits of the alpha, each pixel spread into a 32-bit
// word with green apart from red and blue: over black, every colour times alpha / 32,
// rounded down (its half-alpha path gives the same).
SDL_Surface* fadedOverBlack(SDL_Surface* picture) {
  static SDL_Surface* faded = nullptr;  // kept for the game's run: 150 KB, made at the first fade
  if (!fadesOverBlack(picture)) return nullptr;
  if (faded == nullptr) {
    faded = SDL_CreateRGBSurface(SDL_SWSURFACE, WINDOW_WIDTH, WINDOW_HEIGHT, 16, 0xF800, 0x07E0,
                                 0x001F, 0);
    if (faded == nullptr || !isWhole565(faded)) return nullptr;
  }
  const Uint32 alpha = surfaceAlpha(picture) >> 3;
  const Uint32 spreadMask = 0x07E0F81Fu;
  for (int y = 0; y < WINDOW_HEIGHT; y++) {
    const Uint16* from = reinterpret_cast<const Uint16*>(
        static_cast<const Uint8*>(picture->pixels) + y * picture->pitch);
    Uint16* to = reinterpret_cast<Uint16*>(static_cast<Uint8*>(faded->pixels) + y * faded->pitch);
    for (int x = 0; x < WINDOW_WIDTH; x++) {
      Uint32 spread = (from[x] | static_cast<Uint32>(from[x]) << 16) & spreadMask;
      spread = (spread * alpha >> 5) & spreadMask;
      to[x] = static_cast<Uint16>(spread | spread >> 16);
    }
  }
  return faded;
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
