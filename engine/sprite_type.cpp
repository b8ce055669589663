// Picture loading and sprite-sheet drawing.
#include "engine/sprite_type.h"

#include <SDL/SDL_image.h>

#include "engine/pixel_runs.h"
#include "platform/constants.h"
#include "platform/frame_shortcuts.h"
#include "platform/sdl_bridges.h"

namespace {
SDL_Surface* convertLoaded(const std::string& fileName, bool keepAlpha) {
  SDL_Surface* loaded = IMG_Load(fileName.c_str());
  if (loaded == nullptr) return nullptr;
  SDL_Surface* converted = convertForDisplay(loaded, keepAlpha);
  SDL_FreeSurface(loaded);
  return converted;
}

// Draws through the sheet's runs when it has them; they draw what SDL's blit would.
void blitSheet(SDL_Surface* image, const pixelRuns* runs, SDL_Rect src, SDL_Surface* target,
               SDL_Rect* dst) {
  if (runs != nullptr && frameShortcuts.sheetRuns && runs->draw(image, src, target, *dst)) return;
  SDL_BlitSurface(image, &src, target, dst);
}

void blit(SDL_Surface* image, const pixelRuns* runs, Sint16 sx, Sint16 sy, Uint16 w, Uint16 h,
          SDL_Surface* target, Sint16 dx, Sint16 dy) {
  SDL_Rect src = {sx, sy, w, h};
  SDL_Rect dst = {dx, dy, w, h};
  blitSheet(image, runs, src, target, &dst);
}
}  // namespace

SDL_Surface* loadImage(std::string fileName) { return convertLoaded(fileName, false); }

SDL_Surface* loadImageAlpha(std::string fileName) { return convertLoaded(fileName, true); }

spriteType::spriteType(int tId, const char* imgFile, int iTId, int tR, int tG, int tB, int w, int h)
    : typeId(tId), image(nullptr), runs(nullptr), solidRows(0) {
  if (iTId == BMP) {
    image = loadImage(imgFile);
    if (image != nullptr) {
      Uint32 key = keyOutColour(image, tR, tG, tB);
      // Drawn by runs, a blit copies the opaque stretches whole and skips the keyed ones
      // instead of testing every pixel against the key.
      runs = pixelRuns::encodeKeyed(image, key);
    }
  } else if (iTId == PNG) {
    image = loadImageAlpha(imgFile);
    runs = pixelRuns::encodeAlpha(image);
  }
  countSolidRows();
  imageTypeId = iTId;
  transRed = tR;
  transGreen = tG;
  transBlue = tB;
  width = w;
  height = h;
  maxFrame = 0;
  next = nullptr;
  leftOffset = rightOffset = topOffset = bottomOffset = 0.0f;
  srcRect = {0, 0, 0, 0};
  dstRect = {0, 0, 0, 0};
  computeCellSize();
}

spriteType::~spriteType() {
  delete runs;
  if (image != nullptr) SDL_FreeSurface(image);
}

void spriteType::computeCellSize() {
  tempW = static_cast<int>(width + leftOffset + rightOffset);
  tempH = static_cast<int>(height + topOffset + bottomOffset);
  srcRect.w = dstRect.w = static_cast<Uint16>(tempW);
  srcRect.h = dstRect.h = static_cast<Uint16>(tempH);
}

void spriteType::countSolidRows() {
  solidRows = 0;
  if (image == nullptr || runs == nullptr || runs->alpha) return;
  while (solidRows < image->h) {
    const Uint32 at = runs->rowStart[solidRows];
    if (runs->rowStart[solidRows + 1] - at != 1) return;
    if (runs->runs[at].x != 0 || runs->runs[at].length != image->w) return;
    solidRows++;
  }
}

bool spriteType::coversStrip(float bGPosition, int bGWidth) const {
  // Only while the image is drawn with the key its runs were found with.
  if (image == nullptr || runs == nullptr || solidRows < SCREEN_BOTTOM - SCREEN_TOP) return false;
  if (!runs->drawsAsEncoded(image)) return false;
  // Either branch of the strip's draw then stays inside the image's columns.
  return bGPosition >= 0.0f && bGWidth >= WINDOW_WIDTH && image->w >= bGWidth;
}

void spriteType::setOffsets(float lO, float rO, float tO, float bO) {
  leftOffset = lO;
  rightOffset = rO;
  topOffset = tO;
  bottomOffset = bO;
  computeCellSize();
}

void spriteType::setMaxFrame(int mF) { maxFrame = mF; }

void spriteType::draw(float x, float y, int frame, SDL_Surface* screenSurface) {
  int tempX = static_cast<int>(x - leftOffset);
  int tempY = static_cast<int>(y - topOffset);
  if (maxFrame >= 1 && frame >= 0) {
    srcRect.x = static_cast<Sint16>((frame % FRAMES_PER_ROW) * tempW);
    srcRect.y = static_cast<Sint16>((frame / FRAMES_PER_ROW) * tempH);
  } else {
    srcRect.x = 0;
    srcRect.y = 0;
  }
  dstRect.x = static_cast<Sint16>(tempX);
  dstRect.y = static_cast<Sint16>(tempY);
  // The blit clips dstRect; keep the working size for the next draw.
  dstRect.w = srcRect.w;
  dstRect.h = srcRect.h;
  if (image == nullptr) return;
  blitSheet(image, runs, srcRect, screenSurface, &dstRect);
}

void spriteType::draw(float bGPosition, int bGWidth, SDL_Surface* screenSurface) {
  const Uint16 stripH = static_cast<Uint16>(SCREEN_BOTTOM - SCREEN_TOP);  // 215 rows
  int p = static_cast<int>(bGPosition);
  if (image == nullptr) return;
  if (bGPosition < bGWidth - WINDOW_WIDTH) {
    blit(image, runs, p, 0, WINDOW_WIDTH, stripH, screenSurface, 0, SCREEN_TOP);
    return;
  }
  // The window runs past the image's right end: finish with columns from its start.
  int w1 = bGWidth - p;
  if (w1 < 0) w1 = 0;  // a position past the image's end shows its start
  if (w1 > 0) blit(image, runs, p, 0, w1, stripH, screenSurface, 0, SCREEN_TOP);
  if (WINDOW_WIDTH - w1 > 0) {
    blit(image, runs, 0, 0, WINDOW_WIDTH - w1, stripH, screenSurface, w1, SCREEN_TOP);
  }
}
