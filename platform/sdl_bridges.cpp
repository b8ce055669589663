// Desktop SDL calls, or their stand-ins on the browser's SDL.
#include "platform/sdl_bridges.h"

#include <SDL/SDL_mixer.h>

#ifdef SKARNFALL_WEB
#include <emscripten.h>

namespace {
// The browser's SDL_PeepEvents can only take events, not look at them.
EM_JS(int, queuedSdlEvents, (), { return SDL.events.length; });

// After every blit onto an off-screen surface the browser's SDL reads that surface's whole
// canvas back into memory, in case the program looks at its pixels; a frame made of many
// blits then spends most of its time there. Nothing here reads a surface's pixels but the
// keying at load, which turns the reading on for its own lock.
EM_JS(void, readCanvasOnLock, (int on), { SDL.defaults.discardOnLock = !on; });

struct canvasReadingOff {
  canvasReadingOff() { readCanvasOnLock(0); }
} canvasReading;

// The settings the game opens the mixer with; the browser mixes at its own rate.
const int OPENED_FREQUENCY = 22050;
const int OPENED_OUTPUTS = 2;

// Pixels are bytes R, G, B, A while a surface is locked.
void clearAlphaOfColour(SDL_Surface* image, Uint8 r, Uint8 g, Uint8 b) {
  readCanvasOnLock(1);
  bool locked = SDL_LockSurface(image) == 0;
  readCanvasOnLock(0);
  if (!locked) return;
  for (int y = 0; y < image->h; y++) {
    Uint8* p = static_cast<Uint8*>(image->pixels) + y * image->pitch;
    for (int x = 0; x < image->w; x++, p += 4) {
      if (p[0] == r && p[1] == g && p[2] == b) p[0] = p[1] = p[2] = p[3] = 0;
    }
  }
  SDL_UnlockSurface(image);
}
}  // namespace

SDL_Surface* convertForDisplay(SDL_Surface* loaded, bool) { return SDL_DisplayFormatAlpha(loaded); }

Uint32 keyOutColour(SDL_Surface* image, int r, int g, int b) {
  Uint8 r8 = static_cast<Uint8>(r & 0xFF), g8 = static_cast<Uint8>(g & 0xFF);
  Uint8 b8 = static_cast<Uint8>(b & 0xFF);
  clearAlphaOfColour(image, r8, g8, b8);
  return SDL_MapRGB(image->format, r8, g8, b8);
}

Uint8 surfaceAlpha(const SDL_Surface*) { return SDL_ALPHA_OPAQUE; }

Uint32 surfaceColourKey(const SDL_Surface*) { return 0; }

bool sdlEventsWaiting() { return queuedSdlEvents() > 0; }

void openGamepadWhenShown() {
  static SDL_Joystick* pad = nullptr;
  if (pad == nullptr) pad = SDL_JoystickOpen(0);
}

int queryMixer(int* frequency, Uint16* format, int* channels) {
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) return 0;
  *frequency = OPENED_FREQUENCY;
  *format = AUDIO_S16LSB;
  *channels = OPENED_OUTPUTS;
  return 1;
}
#else
SDL_Surface* convertForDisplay(SDL_Surface* loaded, bool keepAlpha) {
  return keepAlpha ? SDL_DisplayFormatAlpha(loaded) : SDL_DisplayFormat(loaded);
}

Uint32 keyOutColour(SDL_Surface* image, int r, int g, int b) {
  Uint32 key = SDL_MapRGB(image->format, r & 0xFF, g & 0xFF, b & 0xFF);
  SDL_SetColorKey(image, SDL_SRCCOLORKEY, key);
  return key;
}

Uint8 surfaceAlpha(const SDL_Surface* surface) { return surface->format->alpha; }

Uint32 surfaceColourKey(const SDL_Surface* surface) { return surface->format->colorkey; }

void openGamepadWhenShown() {}

bool sdlEventsWaiting() {
  SDL_Event event;
  return SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0;
}

int queryMixer(int* frequency, Uint16* format, int* channels) {
  return Mix_QuerySpec(frequency, format, channels);
}
#endif
