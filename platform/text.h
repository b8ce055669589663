// Drawing a line of text with the game's font: one rendering, one blit, nothing kept.
#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

// Draws nothing for a missing font or target or an empty string.
void drawFontText(TTF_Font* font, SDL_Surface* target, const char* string, int x, int y, int fR,
                  int fG, int fB);
