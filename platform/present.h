// Presenting a composed picture: the blit onto the display surface and the flip.
#pragma once
#include <SDL/SDL.h>

// Blits a composed 320x240 surface onto the display and flips it.
void presentSurface(SDL_Surface* composed);
// True when presenting the surface replaces every pixel of the display (no colour key, no
// per-pixel alpha, surface alpha absent or 255), so the display need not be cleared first.
bool presentsAsCopy(const SDL_Surface* composed);
