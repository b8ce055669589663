// Pictures of the display: any SDL surface written out as a PNG file.
#pragma once
#include <SDL/SDL.h>

#include <string>
#include <vector>

// The surface's pixels as 8-bit red, green, blue triples, row by row.
std::vector<unsigned char> surfaceToRgb(SDL_Surface* surface);
// A checksum (FNV-1a) of the surface's visible pixels, for comparing frames; 0 for none.
Uint32 surfaceChecksum(SDL_Surface* surface);
// Writes the surface as a 24-bit PNG; false when there is no surface or the file fails.
bool writeSurfacePng(SDL_Surface* surface, const std::string& path);
