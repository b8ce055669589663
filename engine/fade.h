// The fade of a whole 320x240 surface from or to black: the blocking one, and the picture
// faded over black that the game draws itself.
#pragma once
#include <SDL/SDL.h>

// inOrOut is FADE_IN or FADE_OUT; durationTicks in ticks of 16 ms.
void fadeScreen(SDL_Surface* toBeFaded, int inOrOut, int durationTicks);
// The picture faded over black by its surface alpha, drawn in one pass into a kept opaque
// surface with the very pixels SDL's fill and blend would leave on the display; null where
// SDL must blend (frameShortcuts.fadedCopy off, no fade running, not a whole 16-bit 565
// picture and display, a colour key).
SDL_Surface* fadedOverBlack(SDL_Surface* picture);
