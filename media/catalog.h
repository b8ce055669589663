// The list of every picture the game loads, painted and ready to write.
#pragma once
#include <string>
#include <vector>

#include "canvas.h"

struct Picture {
  std::string path;  // relative to the game directory
  Image img;
  int cellW, cellH, frames;  // sheet geometry (frames 1 for single pictures)
  bool png;
};

std::vector<Picture> paintAllPictures();
// Contact sheets and composed scenes for looking at the art (PNG, scaled up).
void writeContactSheets(const std::vector<Picture>& pics, const std::string& docsDir);
