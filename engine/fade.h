// The blocking fade of a whole 320x240 surface from or to black.
#pragma once
#include <SDL/SDL.h>

// inOrOut is FADE_IN or FADE_OUT; durationTicks in ticks of 16 ms.
void fadeScreen(SDL_Surface* toBeFaded, int inOrOut, int durationTicks);
