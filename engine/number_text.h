// A number drawn in white with the game's font, whose rendered picture is kept until the
// number changes: rendering text is costly, blitting the kept picture is not.
#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

class numberText {
 public:
  int number;         // the number the kept picture shows
  TTF_Font* font;     // the font it was rendered with
  SDL_Surface* text;  // owned; null before the first draw or when rendering failed

  numberText();
  ~numberText();
  numberText(const numberText&) = delete;
  numberText& operator=(const numberText&) = delete;

  // Draws `value` with its top-left corner at (x, y) of target, looking exactly like
  // level::drawTextInt in white; renders only when value or font differ from the last draw.
  void draw(TTF_Font* withFont, SDL_Surface* target, int value, int x, int y);

 private:
  void render(TTF_Font* withFont, int value);
};
