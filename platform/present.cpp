// Presenting a composed picture: the blit onto the display surface and the flip.
#include "platform/present.h"

#include "platform/frame_shortcuts.h"
#include "platform/globals.h"

bool presentsAsCopy(const SDL_Surface* composed) {
  if (composed == nullptr || composed->format->Amask != 0) return false;
  if ((composed->flags & SDL_SRCCOLORKEY) != 0) return false;
  return (composed->flags & SDL_SRCALPHA) == 0 || composed->format->alpha == SDL_ALPHA_OPAQUE;
}

void presentSurface(SDL_Surface* composed) {
  if (globalScreen == nullptr || composed == nullptr) return;
  SDL_Rect dst = tempDstRect;  // the blit may clip the rectangle it is given
  // A surface-wide alpha of 255 leaves every pixel as it is, yet still sends the blit
  // down the blending path: copy the picture plainly, then give the surface its setting
  // back.
  bool opaque = frameShortcuts.opaqueCopy && presentsAsCopy(composed) &&
                (composed->flags & SDL_SRCALPHA) != 0;
  if (opaque) SDL_SetAlpha(composed, 0, SDL_ALPHA_OPAQUE);
  SDL_BlitSurface(composed, &tempSrcRect, globalScreen, &dst);
  if (opaque) SDL_SetAlpha(composed, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
  SDL_Flip(globalScreen);
}
