// The one input seam: every screen and the ship take their events from pollInputEvent,
// which reads SDL's queue. On the desktop it also turns a gamepad's hat and stick into the
// direction buttons 0 to 7, turns keys (letters by their place on the keyboard) and pad
// buttons into the events of the actions the player's controls bind them to, ends the
// program on the window's close button and pauses a level that loses the input focus. Until the
// desktop program turns these on (the handheld build never does), every event passes through
// untouched.
#pragma once
#include <SDL/SDL.h>

struct controlsMapping;

bool pollInputEvent(SDL_Event* event);
// The player's own input, even while a level plays a recorded run back to the ship (the
// controls for watching it read this).
bool pollPlayerEvent(SDL_Event* event);
// True once the player has pressed a key, a button or the mouse (or touched the screen).
bool playerHasPressed();
void enableDesktopInput(bool on);

// Events as a keyboard or the first joystick would deliver them, for the gamepad
// translation and for tools and tests that script a player.
SDL_Event keyEvent(SDLKey key, bool down);
SDL_Event joyButtonEvent(int button, bool down);

// Set while a level is being played: losing the focus then pauses it, and keys and buttons
// serve the flight's actions instead of the menus'.
void setLevelRunning(bool running);
// The key and button bindings the desktop translation uses (the defaults until set).
void useControls(const controlsMapping& mapping);
// Prints a line on standard output when SKARNFALL_TRACE is set: what the player's input
// did, for checks that drive the real game from outside.
void trace(const char* format, ...) __attribute__((format(printf, 1, 2)));

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
