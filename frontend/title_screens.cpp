// The title and instruction pictures shown once at the start of a run, each held until
// the player confirms.
#include <cstdio>

#include "engine/fade.h"
#include "engine/sprite_type.h"
#include "frontend/attract.h"
#include "frontend/game.h"
#include "frontend/menu.h"
#include "platform/constants.h"

namespace {
// Shows a full-screen picture (black when it cannot be loaded) and waits for Space or the
// B button; every other input is dropped. Returns true once faded in and confirmed, leaving
// the fade-out to the caller, or false when left alone for idleMs (0: never). Shown at once
// instead of faded in when not fadeIn.
bool holdPicture(game& g, const char* name, SDL_Surface* picture, Uint32 idleMs = 0,
                 bool fadeIn = true) {
  auto compose = [&] {
    fillBlack(g.screen);
    if (picture == nullptr) return;
    SDL_Rect srcRect = {0, 0, WINDOW_WIDTH, WINDOW_HEIGHT};
    SDL_Rect dstRect = srcRect;
    SDL_BlitSurface(picture, &srcRect, g.screen, &dstRect);
  };
  auto confirm = [&](menuInput input) {
    if (input != menuInput::CONFIRM) return menuStep::STAY;
    playMenuSound(g.affirm_sound);
    return menuStep::FINISH;
  };
  return runMenuUntilIdle(name, g.screen, compose, confirm, idleMs, fadeIn) == menuEnd::FINISHED;
}

void closePicture(game& g, SDL_Surface* picture) {
  fadeScreen(g.screen, FADE_OUT, MENU_FADE_TICKS);
  if (picture != nullptr) SDL_FreeSurface(picture);
}
}  // namespace

void game::showTitleScreen() {
  SDL_Surface* splash = loadImage("sprites/splash1.bmp");
  printf("Entering Title Screen\n");
  // Left alone, the title plays itself, a level at a time; a press brings it back at once.
  int attractLevel = 1;
  bool fadeIn = true;
  while (!holdPicture(*this, "title", splash, ATTRACT_AFTER_MS, fadeIn)) {
    runAttractCycle(*this, attractLevel);
    attractLevel = attractLevel % ATTRACT_LEVELS + 1;
    fadeIn = false;
  }
  printf("Leaving Title Screen\n");
  closePicture(*this, splash);
}

void game::showInstructions() {
  SDL_Surface* splash = loadImage("backgrounds/inst1pc.bmp");
  holdPicture(*this, "instructions", splash);
  closePicture(*this, splash);
}
