// The entry point: set the presenting rectangles, build the game, run it, shut it down.
#include <SDL/SDL.h>

#include <cstdlib>

#include "platform/desktop_display.h"
#include "frontend/game.h"
#include "platform/game_directory.h"
#include "platform/globals.h"
#include "platform/input.h"

namespace {
// Desktop niceties, set before SDL starts: sharp pixels when the 320x240 picture is
// scaled up, a window three times that size in a windowed build, a display that fits the
// desktop, and gamepads and windows that behave.
void prepareDesktop() {
#ifndef SKARNFALL_HANDHELD
  setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
  setenv("SDL_RENDER_SCALE_QUALITY", "nearest", 0);
#ifdef SKARNFALL_WINDOWED
  setenv("SDL12COMPAT_WINDOW_SCALING", "3", 0);
#endif
  // No text is ever typed, so the X input method need not read its table of compose
  // sequences (tens of milliseconds at start-up).
  setenv("XCOMPOSEFILE", "/dev/null", 0);
  enableDesktopDisplay(true);
  enableDesktopInput(true);
#endif
}
}  // namespace

int main(int argc, char* argv[]) {
  (void)argc;
  (void)argv;
  changeToGameDirectory();
  prepareDesktop();
  tempSrcRect = {0, 0, 320, 240};
  tempDstRect = {0, 0, 320, 240};
  game* theGame = new game();
#ifndef SKARNFALL_HANDHELD
  useWholePixelScaling();
#endif
  theGame->play();
  delete theGame;
  return 0;
}
