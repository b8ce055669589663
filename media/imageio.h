// Writes canvases as 24-bit BMP (colour-keyed transparency) or RGBA PNG.
#pragma once
#include <string>
#include <vector>

#include "canvas.h"

// The transparent colour every BMP sheet of the game is loaded with.
constexpr int KEY_R = 254, KEY_G = 102, KEY_B = 254;

// True when (r,g,b) lands on the key once the game converts it to a 16-bit RGB565 display.
bool hitsKey565(int r, int g, int b);

// Pixels with alpha below 128 become the key colour; every visible pixel is nudged off the
// key's 16-bit value so it never turns transparent on screen.
bool writeBMP(const std::string& path, const Image& im);
bool writePNG(const std::string& path, const Image& im);
// Creates every missing directory of the path's parent.
void makeParentDirs(const std::string& path);
// Appends a 16- or 32-bit number to a file's bytes, least significant byte first.
void put16(std::vector<unsigned char>& v, unsigned x);
void put32(std::vector<unsigned char>& v, unsigned x);
