// The bridges every back end shares: display conversion and colour keys, which the
// browser's stand-ins answer as SDL does.
#include "platform/sdl_bridges.h"

SDL_Surface* convertForDisplay(SDL_Surface* loaded, bool keepAlpha) {
  return keepAlpha ? SDL_DisplayFormatAlpha(loaded) : SDL_DisplayFormat(loaded);
}

Uint32 keyOutColour(SDL_Surface* image, int r, int g, int b) {
  Uint32 key = SDL_MapRGB(image->format, r & 0xFF, g & 0xFF, b & 0xFF);
  SDL_SetColorKey(image, SDL_SRCCOLORKEY, key);
  return key;
}
