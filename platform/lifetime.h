// How the program starts SDL and how it leaves: a desktop with no display is refused,
// SIGTERM and SIGINT end the game from any screen, and every exit stops SDL's threads first.
#pragma once
#include <SDL/SDL.h>

// Installs the exit clean-up and the signal handlers, then starts the SDL subsystems, each
// on its own if starting them together fails (a missing sound device must not take the
// video down with it). The desktop build leaves with status 1 when no display can be found;
// either build leaves with status 1 and SDL's reason when the video cannot start.
void startSdl(Uint32 subsystems);
// Leaves with status 1 and SDL's reason when the video mode failed.
void requireVideoMode(const SDL_Surface* display);

// Leaves at once, as the window's close button does: saves are made as they go, so what
// was saved stays saved. SDL and the mixer are shut down on the way out.
[[noreturn]] void leaveAtOnce();
// Leaves when SIGTERM or SIGINT has arrived; the input seam and every wait call it, so
// each screen, fade and frame notices within a tick. Ends by that signal, as it asked; a
// game that has not come here within two seconds of the signal is ended by it where it is.
// In the browser it also stops the game for good once the page has moved it to another tab.
void leaveIfSignalled();
