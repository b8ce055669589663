// Kept renderings of the status bar's numbers.
#include "engine/number_text.h"

#include <cstdio>

#include "platform/frame_shortcuts.h"

numberText::numberText() : number(0), font(nullptr), text(nullptr) {}

numberText::~numberText() {
  if (text != nullptr) SDL_FreeSurface(text);
}

void numberText::render(TTF_Font* withFont, int value) {
  if (text != nullptr) SDL_FreeSurface(text);
  text = nullptr;
  number = value;
  font = withFont;
  if (withFont == nullptr) return;
  char digits[16];
  snprintf(digits, sizeof digits, "%d", value);
  SDL_Color white = {255, 255, 255, 0};
  text = TTF_RenderText_Blended(withFont, digits, white);
}

void numberText::draw(TTF_Font* withFont, SDL_Surface* target, int value, int x, int y) {
  if (withFont == nullptr || target == nullptr) return;
  bool kept = text != nullptr && value == number && withFont == font;
  if (!kept || !frameShortcuts.keptNumbers) render(withFont, value);
  if (text == nullptr) return;
  SDL_Rect dst = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
  SDL_BlitSurface(text, nullptr, target, &dst);
}
