// Presenting a composed picture: the blit onto the display surface and the flip.
#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

// Blits a composed 320x240 surface onto the display and flips it.
void presentSurface(SDL_Surface* composed);
// The same with a line of text centred over the picture on the display alone: the composed
// surface keeps no trace of it, so the next present shows the picture as it was.
void presentSurfaceLabelled(SDL_Surface* composed, TTF_Font* font, const char* label);
// True when presenting the surface replaces every pixel of the display (no colour key, no
// per-pixel alpha, surface alpha absent or 255), so the display need not be cleared first.
bool presentsAsCopy(const SDL_Surface* composed);
