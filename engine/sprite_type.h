// Picture loading and the sprite sheet: one image cut into equal animation cells
// (ten to a row), drawn one cell at a time or as a wrapping background strip.
#pragma once
#include <SDL/SDL.h>

#include <string>

class pixelRuns;

SDL_Surface* loadImage(std::string fileName);       // display format, opaque
SDL_Surface* loadImageAlpha(std::string fileName);  // display format with alpha

class spriteType {
 public:
  int typeId;
  SDL_Surface* image;  // owned; null when the picture could not be loaded
  int imageTypeId;
  int transRed;
  int transGreen;
  int transBlue;
  int width;  // logical frame size: the size of the objects drawn with this sheet
  int height;
  int maxFrame;  // 0: not animated, always the top-left cell
  spriteType* next;
  float leftOffset;  // margins of a cell around the logical frame, in pixels
  float rightOffset;
  float topOffset;
  float bottomOffset;
  SDL_Rect srcRect;
  SDL_Rect dstRect;
  int tempW;  // cell size in pixels
  int tempH;
  pixelRuns* runs;  // owned; the image's visible runs, null when it is drawn by SDL alone
  int solidRows;    // rows from the top that are one opaque run across the whole image

  spriteType(int tId, const char* imgFile, int iTId, int tR, int tG, int tB, int w, int h);
  ~spriteType();
  spriteType(const spriteType&) = delete;
  spriteType& operator=(const spriteType&) = delete;

  void setOffsets(float lO, float rO, float tO, float bO);
  void setMaxFrame(int mF);
  // Draws `frame` with the logical frame's top-left corner at (x, y).
  void draw(float x, float y, int frame, SDL_Surface* screenSurface);
  // Draws the 320x215 play-field window of a wide image whose columns repeat every
  // bGWidth pixels, starting at column bGPosition.
  void draw(float bGPosition, int bGWidth, SDL_Surface* screenSurface);
  // Whether that draw sets every pixel of the play-field window (an opaque strip).
  bool coversStrip(float bGPosition, int bGWidth) const;

 private:
  void computeCellSize();
  void countSolidRows();
};
