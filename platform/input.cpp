// Input translation for desktop gamepads and windows (see input.h).
#include "platform/input.h"

#include <deque>

#include "platform/globals.h"
#include "platform/lifetime.h"
#include "platform/sdl_bridges.h"

namespace {
std::deque<SDL_Event> translated;  // synthetic events still to hand out
bool desktopInput = false;
bool levelRunning = false;
int hatDirection = padButtons::NO_DIRECTION;
int stickDirection = padButtons::NO_DIRECTION;
int stickX = 0;
int stickY = 0;

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
  int mapped = mapPadButton(raw.button);
  if (mapped >= 0) translated.push_back(joyButtonEvent(mapped, raw.type == SDL_JOYBUTTONDOWN));
}

// Returns true when the event is handed on as it is.
bool translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_JOYHATMOTION: translateHat(event.jhat); return false;
    case SDL_JOYAXISMOTION: translateAxis(event.jaxis); return false;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: translateButton(event.jbutton); return false;
    case SDL_QUIT: leaveAtOnce(); return false;
    case SDL_ACTIVEEVENT:
      if ((event.active.state & SDL_APPINPUTFOCUS) && event.active.gain == 0 && levelRunning) {
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

int mapPadButton(int rawButton) {
  // The usual layout of today's pads: south, east, west, north face buttons, the two
  // shoulders, then back and start.
#ifdef SKARNFALL_WEB
  // The browser's standard layout has the two triggers before back and start.
  static const int mapping[] = {padButtons::B,
                                padButtons::X,
                                padButtons::A,
                                padButtons::Y,
                                padButtons::L,
                                padButtons::R,
                                -1,
                                -1,
                                padButtons::SELECT,
                                padButtons::START};
#else
  static const int mapping[] = {padButtons::B,      padButtons::X,    padButtons::A,
                                padButtons::Y,      padButtons::L,    padButtons::R,
                                padButtons::SELECT, padButtons::START};
#endif
  if (rawButton < 0 || rawButton >= static_cast<int>(sizeof mapping / sizeof mapping[0])) {
    return -1;
  }
  return mapping[rawButton];
}

void setLevelRunning(bool running) { levelRunning = running; }

void enableDesktopInput(bool on) {
  desktopInput = on;
  translated.clear();
  hatDirection = stickDirection = padButtons::NO_DIRECTION;
  stickX = stickY = 0;
}

bool pollInputEvent(SDL_Event* event) {
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
