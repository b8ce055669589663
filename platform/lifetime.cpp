// Starting SDL, the exit clean-up and the quitting signals.
#include "platform/lifetime.h"

#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <cstdlib>

#include "platform/quit_signals.h"
#include "platform/sdl_bridges.h"
#ifdef SKARNFALL_WEB
#include <emscripten.h>

#include "platform/web/browser_store.h"
#endif

namespace {
// Stops SDL's threads (mixing, timer, joystick hot-plug) so that none still runs while the
// process is torn down; safe to run twice. It leaves the display alone: an exit that comes
// from Xlib, whose connection has gone, would only fail again closing it.
void stopSdlThreads() {
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  for (int opened = queryMixer(&frequency, &format, &channels); opened > 0; opened--) {
    Mix_CloseAudio();
  }
  const Uint32 threaded = SDL_INIT_AUDIO | SDL_INIT_TIMER | SDL_INIT_JOYSTICK;
  if (SDL_WasInit(threaded) != 0) SDL_QuitSubSystem(threaded);
}

void shutDownSdl() {
  stopSdlThreads();
  SDL_Quit();
}

void installExitGuards() {
  static bool installed = false;
  if (!installed) atexit(stopSdlThreads);
  installed = true;
  watchQuitSignals();
}

#ifndef SKARNFALL_HANDHELD
// A refusal is an error: it goes to standard error, apart from the game's own messages.
[[noreturn]] void leaveWithReason(const char* reason) {
  fprintf(stderr, "%s\n", reason);
  fflush(stdout);
  std::exit(EXIT_FAILURE);
}
#endif

// A game nobody can see is no game: leave with SDL's reason. The handheld has no other
// display to suggest, and its own screen failing is a fault worth a line on standard error.
[[noreturn]] void videoFailed(const char* step) {
#ifndef SKARNFALL_HANDHELD
  fprintf(stderr, "%s: %s\n", step, SDL_GetError());
  leaveWithReason("No display to play on.");
#else
  fprintf(stderr, "skarnfall: %s: %s\n", step, SDL_GetError());
  std::exit(EXIT_FAILURE);
#endif
}

#if !defined(SKARNFALL_HANDHELD) && !defined(SKARNFALL_WEB) && !defined(SKARNFALL_WINDOWS)
// Without a display SDL would quietly choose its off-screen driver, and the game would
// wait at a title nobody can see. A driver the player names is taken at its word.
bool displayMissing() {
  return std::getenv("SDL_VIDEODRIVER") == nullptr && std::getenv("DISPLAY") == nullptr &&
         std::getenv("WAYLAND_DISPLAY") == nullptr;
}
#endif
}  // namespace

void startSdl(Uint32 subsystems) {
#if !defined(SKARNFALL_HANDHELD) && !defined(SKARNFALL_WEB) && !defined(SKARNFALL_WINDOWS)
  if (displayMissing()) {
    leaveWithReason("No display found: neither DISPLAY nor WAYLAND_DISPLAY is set.");
  }
#endif
  installExitGuards();
  if (SDL_Init(subsystems) == 0) return;
  // One subsystem that fails stops them all: start each on its own.
  const Uint32 each[] = {SDL_INIT_TIMER, SDL_INIT_VIDEO, SDL_INIT_JOYSTICK, SDL_INIT_AUDIO};
  for (Uint32 one : each) {
    if ((subsystems & one) == 0 || SDL_WasInit(one) != 0) continue;
    bool failed = SDL_InitSubSystem(one) != 0;
    if (failed && one == SDL_INIT_VIDEO) videoFailed("Cannot start the video");
  }
}

void requireVideoMode(const SDL_Surface* display) {
  if (display == nullptr) videoFailed("Cannot set the video mode");
}

void leaveAtOnce() {
  shutDownSdl();
  std::exit(EXIT_SUCCESS);
}

#ifdef SKARNFALL_WEB
namespace {
// The page gave the saves to another tab: fall silent, tell the page, and sleep for good
// (a browser page cannot end). No save is under way here: their waits do not come this way.
[[noreturn]] void stopForOtherTab() {
  Mix_HaltMusic();
  Mix_HaltChannel(-1);
  stopSdlThreads();
  tellPageGameStopped();
  for (;;) emscripten_sleep(60000);
}
}  // namespace
#endif

void leaveIfSignalled() {
#ifdef SKARNFALL_WEB
  if (browserGameMoved()) stopForOtherTab();
#endif
  int signalNumber = quitSignalNoted();
  if (signalNumber == 0) return;
  fflush(stdout);
  shutDownSdl();
  endBySignal(signalNumber);
}
