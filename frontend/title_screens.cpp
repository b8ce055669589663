// The title and instruction pictures shown once at the start of a run, each held until
// the player confirms.
#include <cstdio>

#include "engine/fade.h"
#include "engine/sprite_type.h"
#include "frontend/game.h"
#include "frontend/menu.h"
#include "platform/constants.h"

namespace {
// Shows a full-screen picture (black when it cannot be loaded) and waits for Space or the
// B button; every other input is dropped. Returns once faded in and confirmed, leaving the
// fade-out to the caller.
void holdPicture(game& g, const char* name, SDL_Surface* picture) {
  auto compose = [&] {
    fillBlack(g.screen);
    if (picture == nullptr) return;
    SDL_Rect srcRect = {0, 0, WINDOW_WIDTH, WINDOW_HEIGHT};
    SDL_Rect dstRect = srcRect;
    SDL_BlitSurface(picture, &srcRect, g.screen, &dstRect);
  };
  runMenu(name, g.screen, compose, [&](menuInput input) {
    if (input != menuInput::CONFIRM) return menuStep::STAY;
    playMenuSound(g.affirm_sound);
    return menuStep::FINISH;
  });
}

void closePicture(game& g, SDL_Surface* picture) {
  fadeScreen(g.screen, FADE_OUT, MENU_FADE_TICKS);
  if (picture != nullptr) SDL_FreeSurface(picture);
}
}  // namespace

void game::showTitleScreen() {
  SDL_Surface* splash = loadImage("sprites/splash1.bmp");
  printf("Entering Title Screen\n");
  holdPicture(*this, "title", splash);
  printf("Leaving Title Screen\n");
  closePicture(*this, splash);
}

void game::showInstructions() {
  SDL_Surface* splash = loadImage("backgrounds/inst1pc.bmp");
  holdPicture(*this, "instructions", splash);
  closePicture(*this, splash);
}
