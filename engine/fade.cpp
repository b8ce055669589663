// Fades a surface in or out over the display, one step per whole tick of the clock seam.
#include "engine/fade.h"

#include <cstdio>

#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/globals.h"

namespace {
void showFadeStep(SDL_Surface* toBeFaded, int inOrOut, float fadePoint, int durationTicks) {
  int a = static_cast<int>(fadePoint / durationTicks * 255.0f);
  if (a > 255) a = 255;
  Uint8 alpha = static_cast<Uint8>(inOrOut == FADE_IN ? a : 255 - a);
  SDL_SetAlpha(toBeFaded, SDL_SRCALPHA, alpha);
  if (globalScreen == nullptr) return;
  SDL_FillRect(globalScreen, nullptr, SDL_MapRGB(globalScreen->format, 0, 0, 0));
  SDL_Rect dst = tempDstRect;
  SDL_BlitSurface(toBeFaded, &tempSrcRect, globalScreen, &dst);
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
