// The few places where the browser's SDL emulation differs from a desktop SDL 1.2, bridged
// in one spot: its pixel format has no room for the surface alpha or key (the browser
// build's surfaces keep them beside it), its surfaces must always be locked, its event
// queue cannot be peeked at, and its mixer cannot be asked for its settings.
#pragma once
#include <SDL/SDL.h>

// A copy of a loaded picture in the display's format, keeping per-pixel alpha when asked.
SDL_Surface* convertForDisplay(SDL_Surface* loaded, bool keepAlpha);
// Makes the pixels of colour (r, g, b) transparent by a colour key. Returns the key as
// SDL_MapRGB gives it.
Uint32 keyOutColour(SDL_Surface* image, int r, int g, int b);
// The surface-wide alpha and the colour key (255 and 0 where the format has no such fields).
Uint8 surfaceAlpha(const SDL_Surface* surface);
Uint32 surfaceColourKey(const SDL_Surface* surface);
// SDL_MUSTLOCK: whether the pixels can be reached only between a lock and an unlock.
bool surfaceMustLock(const SDL_Surface* surface);
// True when SDL's event queue holds an event (looked at, not taken).
bool sdlEventsWaiting();
// Opens the first gamepad if it was not there when the game started: a browser shows a pad
// only once one of its buttons is pressed. Nothing on a desktop, whose SDL 1.2 keeps the
// joysticks it found at the start.
void openGamepadWhenShown();
// Whether input ends sleepUntilInput early: in the browser while no gamepad is shown (a
// pad's buttons are read by polling, not told).
bool inputWakesSleep();
// Sleeps until input reaches the program (the browser) or ms pass.
void sleepUntilInput(Uint32 ms);
// The real clock in milliseconds: SDL_GetTicks, or in the browser the page's monotonic
// clock, which the painter's worker shares (the emulation's SDL_GetTicks follows the date).
Uint32 realClockMs();
// Sleeps the ms left until a tick is due, ticks periodMs apart: SDL_Delay, or in the browser
// a sleep that the frame the painter hands back at that time ends.
void sleepForTick(Uint32 ms, Uint32 periodMs);
// Mix_QuerySpec: how often the mixer has been opened, and its settings.
int queryMixer(int* frequency, Uint16* format, int* channels);
// Makes SDL_GetKeyName name the keys before the game starts SDL: the classic SDL 1.2 fills
// in its names only when its video starts (sdl12-compat and the browser's SDL at once).
void loadKeyNames();
