// Starting on a desktop (sdl12-compat over SDL2): the command line, saves in the player's
// data folder, sharp scaling by whole pixels, and the desktop's display and input manners.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/desktop_display.h"
#include "platform/input.h"
#include "platform/target.h"

const targetStart TARGET = {true, true, false, false};

std::string openTargetStore() { return ""; }

void prepareTarget(bool windowed, int scale) {
  // Sharp pixels when the 320x240 picture is scaled up, and the window's size.
  setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
  setenv("SDL_RENDER_SCALE_QUALITY", "nearest", 0);
  if (windowed) setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(scale).c_str(), 1);
  playInWindow(windowed);
  // No text is ever typed, so the X input method need not read its table of compose
  // sequences (tens of milliseconds at start-up).
  setenv("XCOMPOSEFILE", "/dev/null", 0);
  enableDesktopDisplay(true);
  enableDesktopInput(true);
}

void targetVideoStarted() { useWholePixelScaling(); }

void tellStartRefused(const std::string& reason) {
  std::fprintf(stderr, "skarnfall: %s\n", reason.c_str());
}
