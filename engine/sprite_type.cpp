// Picture loading and sprite-sheet drawing.
#include "engine/sprite_type.h"

#include <SDL/SDL_image.h>

#include "shell/constants.h"

namespace {
SDL_Surface* convertLoaded(const std::string& fileName, SDL_Surface* (*convert)(SDL_Surface*)) {
  SDL_Surface* loaded = IMG_Load(fileName.c_str());
  if (loaded == nullptr) return nullptr;
  SDL_Surface* converted = convert(loaded);
  SDL_FreeSurface(loaded);
  return converted;
}

// Run-length encoding of an alpha picture blends on a 16-bit target exactly as the plain
// blit does, except for pixels whose alpha is 248 to 254: the plain blit treats them as
// opaque (it blends with 5-bit alpha), the encoded one blends them. Pictures with such
// pixels keep the plain blit so that they look the same either way.
bool encodesExactly(SDL_Surface* image) {
  if (image->format->BytesPerPixel != 4 || image->format->Amask == 0) return false;
  if (SDL_LockSurface(image) != 0) return false;
  const SDL_PixelFormat* f = image->format;
  bool exact = true;
  for (int y = 0; y < image->h && exact; y++) {
    const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<Uint8*>(image->pixels) +
                                                         y * image->pitch);
    for (int x = 0; x < image->w; x++) {
      Uint32 alpha = (row[x] & f->Amask) >> f->Ashift;
      if (alpha >= 248 && alpha < 255) {
        exact = false;
        break;
      }
    }
  }
  SDL_UnlockSurface(image);
  return exact;
}

void blit(SDL_Surface* image, Sint16 sx, Sint16 sy, Uint16 w, Uint16 h, SDL_Surface* target,
          Sint16 dx, Sint16 dy) {
  SDL_Rect src = {sx, sy, w, h};
  SDL_Rect dst = {dx, dy, w, h};
  SDL_BlitSurface(image, &src, target, &dst);
}
}  // namespace

SDL_Surface* loadImage(std::string fileName) { return convertLoaded(fileName, SDL_DisplayFormat); }

SDL_Surface* loadImageAlpha(std::string fileName) {
  return convertLoaded(fileName, SDL_DisplayFormatAlpha);
}

spriteType::spriteType(int tId, const char* imgFile, int iTId, int tR, int tG, int tB, int w,
                       int h)
    : typeId(tId), image(nullptr) {
  if (iTId == BMP) {
    image = loadImage(imgFile);
    if (image != nullptr) {
      Uint32 key = SDL_MapRGB(image->format, tR & 0xFF, tG & 0xFF, tB & 0xFF);
      // Encoded as runs, a blit copies the opaque runs whole and skips the keyed ones
      // instead of testing every pixel against the key.
      SDL_SetColorKey(image, SDL_SRCCOLORKEY | SDL_RLEACCEL, key);
    }
  } else if (iTId == PNG) {
    image = loadImageAlpha(imgFile);
    if (image != nullptr && encodesExactly(image)) {
      SDL_SetAlpha(image, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
    }
  }
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
  if (image != nullptr) SDL_FreeSurface(image);
}

void spriteType::computeCellSize() {
  tempW = static_cast<int>(width + leftOffset + rightOffset);
  tempH = static_cast<int>(height + topOffset + bottomOffset);
  srcRect.w = dstRect.w = static_cast<Uint16>(tempW);
  srcRect.h = dstRect.h = static_cast<Uint16>(tempH);
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
  SDL_Rect src = srcRect;
  SDL_BlitSurface(image, &src, screenSurface, &dstRect);
}

void spriteType::draw(float bGPosition, int bGWidth, SDL_Surface* screenSurface) {
  const Uint16 stripH = static_cast<Uint16>(SCREEN_BOTTOM - SCREEN_TOP);  // 215 rows
  int p = static_cast<int>(bGPosition);
  if (image == nullptr) return;
  if (bGPosition < bGWidth - WINDOW_WIDTH) {
    blit(image, p, 0, WINDOW_WIDTH, stripH, screenSurface, 0, SCREEN_TOP);
    return;
  }
  // The window runs past the image's right end: finish with columns from its start.
  int w1 = bGWidth - p;
  if (w1 < 0) w1 = 0;  // a position past the image's end shows its start
  if (w1 > 0) blit(image, p, 0, w1, stripH, screenSurface, 0, SCREEN_TOP);
  if (WINDOW_WIDTH - w1 > 0) {
    blit(image, 0, 0, WINDOW_WIDTH - w1, stripH, screenSurface, w1, SCREEN_TOP);
  }
}
