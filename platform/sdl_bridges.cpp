// Desktop SDL calls, or their stand-ins on the browser's SDL.
#include "platform/sdl_bridges.h"

#include <SDL/SDL_mixer.h>

#include <cstdlib>
#include <cstring>
#include <string>

#ifdef SKARNFALL_WEB
#include <emscripten.h>

#include "platform/web/sdl_video.h"

namespace {
// The browser's SDL_PeepEvents can only take events, not look at them.
EM_JS(int, queuedSdlEvents, (), { return SDL.events.length; });

// Whether the page has shown a gamepad: a browser shows one only once a button is pressed,
// and says so with an event, so the pads are not asked for every tick.
EM_JS(int, gamepadShown, (), {
  if (Module['skarnfallPadShown'] == undefined) {
    Module['skarnfallPadShown'] = false;
    window.addEventListener(
        'gamepadconnected', function() { Module['skarnfallPadShown'] = true; });
    var pads = navigator.getGamepads ? navigator.getGamepads() : [];
    for (var i = 0; i < pads.length; i++) {
      if (pads[i]) Module['skarnfallPadShown'] = true;
    }
  }
  return Module['skarnfallPadShown'];
});

// The settings the game opens the mixer with; the browser mixes at its own rate.
const int OPENED_FREQUENCY = 22050;
const int OPENED_OUTPUTS = 2;
}  // namespace

Uint8 surfaceAlpha(const SDL_Surface* surface) { return memorySurfaceAlpha(surface); }

Uint32 surfaceColourKey(const SDL_Surface* surface) { return memorySurfaceKey(surface); }

bool surfaceMustLock(const SDL_Surface*) { return false; }

bool sdlEventsWaiting() { return queuedSdlEvents() > 0; }

// A sleep that the page's input events, or a move of the game to another tab, end early:
// each wakes it just after the emulation has queued the event.
EM_ASYNC_JS(void, sleepUntilInputJs, (int ms), {
  if (!Module['skarnfallWakeOnInput']) {
    Module['skarnfallWakeOnInput'] = true;
    var wake = function() {
      if (Module['skarnfallWake']) Module['skarnfallWake']();
    };
    var soon = function() { setTimeout(wake, 0); };
    [
      'keydown', 'keyup', 'mousedown', 'mouseup', 'touchstart', 'touchend', 'blur', 'focus',
      'gamepadconnected'
    ]
        .forEach(function(type) { window.addEventListener(type, soon, true); });
    document.addEventListener('visibilitychange', soon, true);
  }
  await new Promise(function(resolve) {
    var timer = setTimeout(done, ms);
    function done() {
      clearTimeout(timer);
      Module['skarnfallWake'] = null;
      resolve();
    }
    Module['skarnfallWake'] = done;
  });
});

bool inputWakesSleep() { return gamepadShown() == 0; }

// Through 64 bits, so that the count wraps as SDL_GetTicks does after 49 days.
Uint32 realClockMs() { return static_cast<Uint32>(static_cast<Uint64>(emscripten_get_now())); }

void sleepUntilInput(Uint32 ms) { sleepUntilInputJs(static_cast<int>(ms)); }

void openGamepadWhenShown() {
  static SDL_Joystick* pad = nullptr;
  if (pad == nullptr && gamepadShown()) pad = SDL_JoystickOpen(0);
}

int queryMixer(int* frequency, Uint16* format, int* channels) {
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0) return 0;
  *frequency = OPENED_FREQUENCY;
  *format = AUDIO_S16LSB;
  *channels = OPENED_OUTPUTS;
  return 1;
}

void loadKeyNames() {}
#else
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
#endif

SDL_Surface* convertForDisplay(SDL_Surface* loaded, bool keepAlpha) {
  return keepAlpha ? SDL_DisplayFormatAlpha(loaded) : SDL_DisplayFormat(loaded);
}

Uint32 keyOutColour(SDL_Surface* image, int r, int g, int b) {
  Uint32 key = SDL_MapRGB(image->format, r & 0xFF, g & 0xFF, b & 0xFF);
  SDL_SetColorKey(image, SDL_SRCCOLORKEY, key);
  return key;
}
