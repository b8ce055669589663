// The bridges on the browser's SDL emulation: surfaces keep their key and alpha beside the
// format, the event queue is read through the page, and sleeps hand the tab back.
#include "platform/sdl_bridges.h"

#include <SDL/SDL_mixer.h>
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
