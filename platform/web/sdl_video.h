// The browser build's surfaces: plain memory, drawn by the program as a desktop SDL 1.2
// draws them, the display handed to the page's canvas as one picture a frame.
#pragma once
#include <SDL/SDL.h>

// The surface-wide alpha and the colour key a surface was given (255 and 0 by default).
Uint8 memorySurfaceAlpha(const SDL_Surface* surface);
Uint32 memorySurfaceKey(const SDL_Surface* surface);
