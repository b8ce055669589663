// The one input seam: every screen and the ship take their events from pollInputEvent,
// which reads SDL's queue. On the desktop it also turns a gamepad's hat and stick into the
// direction buttons 0 to 7, maps its face and shoulder buttons onto the handheld's
// numbers, ends the program on the window's close button and pauses a level that loses
// the input focus. Until the desktop program turns these on (the handheld build never
// does), every event passes through untouched.
#pragma once
#include <SDL/SDL.h>

bool pollInputEvent(SDL_Event* event);
void enableDesktopInput(bool on);

// Events as a keyboard or the first joystick would deliver them, for the gamepad
// translation and for tools and tests that script a player.
SDL_Event keyEvent(SDLKey key, bool down);
SDL_Event joyButtonEvent(int button, bool down);

// Set while a level is being played, so that losing the focus pauses it.
void setLevelRunning(bool running);

// Gamepad buttons as the ship and the menus number them.
namespace padButtons {
constexpr int UP = 0;
constexpr int START = 8;
constexpr int SELECT = 9;
constexpr int R = 10;
constexpr int L = 11;
constexpr int A = 12;
constexpr int B = 13;
constexpr int Y = 14;
constexpr int X = 15;
constexpr int NO_DIRECTION = -1;
constexpr int STICK_DEAD_ZONE = 12000;  // of 32767: a stick must lean this far to count
}  // namespace padButtons

// The direction button (0 up, 1 up-left ... 7 up-right) for a stick or hat leaning
// dx, dy (each -1, 0 or 1, y down), or NO_DIRECTION when centred.
int directionButton(int dx, int dy);
// The handheld number for a desktop pad's raw button, or -1 when it has none.
int mapPadButton(int rawButton);
