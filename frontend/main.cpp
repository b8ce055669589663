// The entry point: read the options, enter the game's directory, claim the save folder, set
// the presenting rectangles, build the game, run it, shut it down.
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "frontend/command_line.h"
#include "frontend/game.h"
#include "frontend/save_setup.h"
#include "platform/desktop_display.h"
#include "platform/game_directory.h"
#include "platform/globals.h"
#include "platform/input.h"
#ifdef SKARNFALL_WEB
#include "platform/web/browser_store.h"
#endif

namespace {
// What each target wants set before SDL starts. The desktop: sharp pixels when the 320x240
// picture is scaled up, the window's size, a display that fits the desktop, and gamepads
// and windows that behave. The browser: its gamepads and its tab's focus.
void prepareForTarget(const commandLineOptions& options) {
#if defined(SKARNFALL_WEB)
  // The page scales the canvas; gamepads, focus and visibility come through the browser.
  (void)options;
  enableDesktopInput(true);
#elif !defined(SKARNFALL_HANDHELD)
  setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
  setenv("SDL_RENDER_SCALE_QUALITY", "nearest", 0);
  if (options.windowed) {
    setenv("SDL12COMPAT_WINDOW_SCALING", std::to_string(options.scale).c_str(), 1);
  }
  playInWindow(options.windowed);
  // No text is ever typed, so the X input method need not read its table of compose
  // sequences (tens of milliseconds at start-up).
  setenv("XCOMPOSEFILE", "/dev/null", 0);
  enableDesktopDisplay(true);
  enableDesktopInput(true);
#else
  (void)options;
#endif
}
}  // namespace

int main(int argc, char* argv[]) {
  commandLineOptions options;
#ifndef SKARNFALL_HANDHELD
  options = parseCommandLine(argc, argv);
  int answered = answerCommandLine(options);
  if (answered >= 0) return answered;
  // An installed desktop game keeps its saves in the player's data folder, the handheld
  // beside the program; a lock on the folder keeps a second copy off them. The browser
  // keeps them in IndexedDB, where the page's tab lock does that (platform/web/page/saves.js).
  const bool savesInDataHome = true;
#else
  (void)argc;
  (void)argv;
  const bool savesInDataHome = false;
#endif
  std::string error;
#ifdef SKARNFALL_WEB
  // The browser's store, read into a folder, holds the saves; without it saving is off.
  (void)savesInDataHome;
  bool settled = changeToGameDirectory() && claimSaveFolder(openBrowserSaves(), error);
  if (!settled && error.empty()) error = "cannot find the folder that holds the game";
#else
  bool settled = settleIn(changeToGameDirectory, savesInDataHome, error);
#endif
  if (!settled) {
    fprintf(stderr, "skarnfall: %s\n", error.c_str());
    return 1;
  }
  prepareForTarget(options);
  tempSrcRect = {0, 0, 320, 240};
  tempDstRect = {0, 0, 320, 240};
  game* theGame = new game();
#if !defined(SKARNFALL_HANDHELD) && !defined(SKARNFALL_WEB)
  useWholePixelScaling();
#endif
  theGame->play();
  delete theGame;
  return 0;
}
