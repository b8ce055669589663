// The one time seam: every wait loop reads milliseconds through readClock(). The real
// clock is SDL_GetTicks; tests and tools install a virtual clock that advances a fixed
// amount per read and runs scheduled callbacks (which push scripted SDL events).
#pragma once
#include <SDL/SDL.h>
#include <functional>

Uint32 readClock();

// Gives the processor away for about a millisecond while a wait loop has less than a
// whole tick to do. On the virtual clock it does nothing: virtual time moves per read.
void yieldProcessor();
// Gives the processor away until the clock reaches dueMs when that is 2 ms or more away
// (one wake-up per tick instead of one per millisecond), otherwise as yieldProcessor.
// On the virtual clock it does nothing.
void yieldProcessorUntil(Uint32 dueMs);

// Blocks, yielding, until at least one tick (16 ms) has passed since lastDrawMs, then
// sets lastDrawMs to now. Menus call it before each redraw so they draw once per tick.
void waitForNextTick(Uint32& lastDrawMs);

// As waitForNextTick, but where input can end a sleep (the browser) it then sleeps on, when
// no input is waiting, until something wakes it or the clock reaches untilMs: a menu that
// changes only through input costs a few wake-ups a second instead of one a tick.
void waitForTickOrInput(Uint32& lastDrawMs, Uint32 untilMs);

// While a recorded run is watched, the time the game reads runs speed times as fast as the
// clock (1, 2 or 4), or stands still at speed 0; each change starts from the time read last.
void paceClock(int speed);
void unpaceClock();  // back to the clock's own time

namespace virtualClock {
// Replaces the real clock. Each read advances virtual time by msPerRead (at least 1).
void install(Uint32 msPerRead = 1, Uint32 startMs = 0);
void uninstall();  // back to SDL_GetTicks
bool installed();
Uint32 now();
// Runs fn once, during the first read at or after virtual time atMs.
void at(Uint32 atMs, std::function<void()> fn);
// Runs fn on every read with the new virtual time (after scheduled callbacks).
void onEveryRead(std::function<void(Uint32)> fn);
}  // namespace virtualClock
