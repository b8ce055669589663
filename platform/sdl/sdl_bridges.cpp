// The bridges on a real SDL 1.2 (sdl12-compat on a desktop, the classic library on the
// handheld): each is the plain SDL call.
#include "platform/sdl_bridges.h"

#include <SDL/SDL_mixer.h>

#include <cstdlib>
#include <cstring>
#include <string>
Uint8 surfaceAlpha(const SDL_Surface* surface) { return surface->format->alpha; }

Uint32 surfaceColourKey(const SDL_Surface* surface) { return surface->format->colorkey; }

bool surfaceMustLock(const SDL_Surface* surface) { return SDL_MUSTLOCK(surface); }

void openGamepadWhenShown() {}

bool inputWakesSleep() { return false; }

void sleepUntilInput(Uint32 ms) { SDL_Delay(ms); }

Uint32 realClockMs() { return SDL_GetTicks(); }

void sleepForTick(Uint32 ms, Uint32) { SDL_Delay(ms); }

bool sdlEventsWaiting() {
  SDL_Event event;
  return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0;
}

int queryMixer(int* frequency, Uint16* format, int* channels) {
  return Mix_QuerySpec(frequency, format, channels);
}

// SDL's off-screen driver started and stopped: the names stay.
void loadKeyNames() {
  if (std::strcmp(SDL_GetKeyName(SDLK_a), "a") == 0 || SDL_WasInit(SDL_INIT_VIDEO) != 0) return;
  const char* named = std::getenv("SDL_VIDEODRIVER");
  std::string driver = named != nullptr ? named : "";
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (named != nullptr) {
    setenv("SDL_VIDEODRIVER", driver.c_str(), 1);
  } else {
    unsetenv("SDL_VIDEODRIVER");
  }
}
