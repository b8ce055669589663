// Anti-aliased text blitted with its top-left corner at a point.
#include "platform/text.h"

void drawFontText(TTF_Font* font, SDL_Surface* target, const char* string, int x, int y, int fR,
                  int fG, int fB) {
  if (font == nullptr || target == nullptr || string == nullptr || string[0] == '\0') return;
  SDL_Color colour = {static_cast<Uint8>(fR), static_cast<Uint8>(fG), static_cast<Uint8>(fB), 0};
  SDL_Surface* text = TTF_RenderText_Blended(font, string, colour);
  if (text == nullptr) return;
  SDL_Rect dst = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
  SDL_BlitSurface(text, nullptr, target, &dst);
  SDL_FreeSurface(text);
}
