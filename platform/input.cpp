// Input translation for desktop gamepads and windows (see input.h).
#include "platform/input.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "platform/clock.h"
#include "platform/controls.h"
#include "platform/desktop_display.h"
#include "platform/globals.h"
#include "platform/lifetime.h"
#include "platform/run_tape.h"
#include "platform/sdl_bridges.h"

namespace {
std::deque<SDL_Event> translated;  // synthetic events still to hand out
bool desktopInput = false;
bool levelRunning = false;
bool pressedOnce = false;
int hatDirection = padButtons::NO_DIRECTION;
int stickDirection = padButtons::NO_DIRECTION;
int stickX = 0;
int stickY = 0;
controlsMapping controls = defaultControls();
// Switching the display can take the focus away for a moment; that is no reason to pause.
constexpr Uint32 SWITCH_FOCUS_GRACE_MS = 1000;
Uint32 switchedAtMs = 0;
bool switched = false;

controlsContext context() { return levelRunning ? controlsContext::FLIGHT : controlsContext::MENU; }

// Queues the release of the old direction and the press of the new one.
void changeDirection(int& held, int now) {
  if (now == held) return;
  if (held != padButtons::NO_DIRECTION) translated.push_back(joyButtonEvent(held, false));
  if (now != padButtons::NO_DIRECTION) translated.push_back(joyButtonEvent(now, true));
  held = now;
}

int lean(int value) {
  if (value <= -padButtons::STICK_DEAD_ZONE) return -1;
  if (value >= padButtons::STICK_DEAD_ZONE) return 1;
  return 0;
}

void translateHat(const SDL_JoyHatEvent& hat) {
  int dx = (hat.value & SDL_HAT_LEFT) ? -1 : (hat.value & SDL_HAT_RIGHT) ? 1 : 0;
  int dy = (hat.value & SDL_HAT_UP) ? -1 : (hat.value & SDL_HAT_DOWN) ? 1 : 0;
  changeDirection(hatDirection, directionButton(dx, dy));
}

void translateAxis(const SDL_JoyAxisEvent& axis) {
  if (axis.axis == 0)
    stickX = axis.value;
  else if (axis.axis == 1)
    stickY = axis.value;
  else
    return;
  changeDirection(stickDirection, directionButton(lean(stickX), lean(stickY)));
}

#ifdef SKARNFALL_WEB
// The browser's standard layout reports the direction pad as buttons 12 to 15 (up, down,
// left, right); they steer like a hat.
const int PAD_UP_BUTTON = 12, PAD_RIGHT_BUTTON = 15;
int padDirectionsHeld = 0;  // bit n: button PAD_UP_BUTTON + n

void translatePadDirection(int bit, bool down) {
  padDirectionsHeld = down ? padDirectionsHeld | (1 << bit) : padDirectionsHeld & ~(1 << bit);
  int dx = ((padDirectionsHeld & 8) != 0) - ((padDirectionsHeld & 4) != 0);
  int dy = ((padDirectionsHeld & 2) != 0) - ((padDirectionsHeld & 1) != 0);
  changeDirection(hatDirection, directionButton(dx, dy));
}
#endif

void translateButton(const SDL_JoyButtonEvent& raw) {
#ifdef SKARNFALL_WEB
  if (raw.button >= PAD_UP_BUTTON && raw.button <= PAD_RIGHT_BUTTON) {
    translatePadDirection(raw.button - PAD_UP_BUTTON, raw.type == SDL_JOYBUTTONDOWN);
    return;
  }
#endif
  SDL_Event sent;
  if (translatePadButton(controls, context(), raw.button, raw.type == SDL_JOYBUTTONDOWN, sent)) {
    translated.push_back(sent);
  }
}

#ifndef SKARNFALL_WEB  // in the browser F11 is the browser's, and the page has a button
// Alt+Enter and F11 switch between full screen and the window, on every screen.
bool switchedDisplay(const SDL_Event& raw) {
  const SDL_keysym& k = raw.key.keysym;
  bool wanted = k.sym == SDLK_F11 || (k.sym == SDLK_RETURN && (k.mod & KMOD_ALT) != 0);
  if (raw.type != SDL_KEYDOWN || !wanted) return false;
  if (toggleFullScreen()) {
    switched = true;
    switchedAtMs = readClock();
    trace("full screen %s", (SDL_GetVideoSurface()->flags & SDL_FULLSCREEN) ? "on" : "off");
  }
  return true;
}
#else
bool switchedDisplay(const SDL_Event&) { return false; }
#endif

bool focusLostBySwitch() { return switched && readClock() - switchedAtMs < SWITCH_FOCUS_GRACE_MS; }

void translateKeyEvent(const SDL_Event& raw) {
  if (switchedDisplay(raw)) return;
  if (raw.type == SDL_KEYDOWN) {
    trace("key %d: symbol %s, place %s", raw.key.keysym.scancode,
          SDL_GetKeyName(raw.key.keysym.sym), SDL_GetKeyName(keyByPosition(raw.key.keysym)));
  }
  SDL_Event sent;
  if (translateKey(controls, context(), raw, sent)) translated.push_back(sent);
}

// Returns true when the event is handed on as it is.
bool translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_JOYHATMOTION: translateHat(event.jhat); return false;
    case SDL_JOYAXISMOTION: translateAxis(event.jaxis); return false;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: translateButton(event.jbutton); return false;
    case SDL_KEYDOWN:
    case SDL_KEYUP: translateKeyEvent(event); return false;
    case SDL_QUIT: leaveAtOnce(); return false;
    case SDL_ACTIVEEVENT:
      if ((event.active.state & SDL_APPINPUTFOCUS) && event.active.gain == 0 && levelRunning &&
          !focusLostBySwitch()) {
        globalPaused = true;
      }
      return true;
#ifdef SKARNFALL_WEB
    case SDL_WINDOWEVENT:  // how the browser reports the tab's focus and visibility
      if ((event.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
           event.window.event == SDL_WINDOWEVENT_HIDDEN) &&
          levelRunning) {
        globalPaused = true;
      }
      return true;
#endif
    default: return true;
  }
}
}  // namespace

SDL_Event keyEvent(SDLKey key, bool down) {
  SDL_Event event = {};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.type = event.type;
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.sym = key;
  return event;
}

SDL_Event joyButtonEvent(int button, bool down) {
  SDL_Event event = {};
  event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
  event.jbutton.type = event.type;
  event.jbutton.which = 0;
  event.jbutton.button = static_cast<Uint8>(button);
  event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  return event;
}

int directionButton(int dx, int dy) {
  // Indexed [dy + 1][dx + 1]: up-left, up, up-right / left, -, right / down-left, down...
  static const int buttons[3][3] = {{1, 0, 7}, {2, padButtons::NO_DIRECTION, 6}, {3, 4, 5}};
  return buttons[dy + 1][dx + 1];
}

void setLevelRunning(bool running) {
  if (running != levelRunning) trace(running ? "level running" : "level stopped");
  levelRunning = running;
}

void useControls(const controlsMapping& mapping) { controls = mapping; }

void trace(const char* format, ...) {
  static const bool on = std::getenv("SKARNFALL_TRACE") != nullptr;
  if (!on) return;
  va_list args;
  va_start(args, format);
  vprintf(format, args);
  va_end(args);
  putchar('\n');
  fflush(stdout);
}

void enableDesktopInput(bool on) {
  desktopInput = on;
  translated.clear();
  hatDirection = stickDirection = padButtons::NO_DIRECTION;
  stickX = stickY = 0;
}

bool pollTranslatedEvent(SDL_Event* event) {
  leaveIfSignalled();
  if (!desktopInput) return SDL_PollEvent(event) != 0;
  while (translated.empty()) {
    SDL_Event raw;
    if (!SDL_PollEvent(&raw)) {
      openGamepadWhenShown();
      return false;
    }
    if (translate(raw)) {
      *event = raw;
      return true;
    }
  }
  *event = translated.front();
  translated.pop_front();
  return true;
}

bool pollPlayerEvent(SDL_Event* event) {
  if (!pollTranslatedEvent(event)) return false;
  Uint8 type = event->type;
  if (type == SDL_KEYDOWN || type == SDL_JOYBUTTONDOWN || type == SDL_MOUSEBUTTONDOWN) {
    pressedOnce = true;
  }
  return true;
}

bool playerHasPressed() { return pressedOnce; }

bool pollInputEvent(SDL_Event* event) {
  if (levelRunning && tapePlaying()) {
    leaveIfSignalled();
    return takeTapeEvent(event);
  }
  bool pausedBefore = globalPaused;
  bool got = pollPlayerEvent(event);
  if (levelRunning && tapeRecording()) {
    if (!pausedBefore && globalPaused) noteFocusPause();
    if (got) noteTapeEvent(*event);
  }
  return got;
}
