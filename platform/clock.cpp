// The real and the virtual clock behind readClock().
#include "platform/clock.h"

#include <map>

#include "platform/constants.h"
#include "platform/lifetime.h"
#include "platform/sdl_bridges.h"

namespace {
bool virtualActive = false;
Uint32 virtualNowMs = 0;
Uint32 virtualStepMs = 1;
std::multimap<Uint32, std::function<void()>> scheduled;
std::function<void(Uint32)> everyRead;
bool paced = false;
Uint32 paceSpeed = 1;
Uint32 pacedBaseMs = 0;  // the paced time at the last change of pace
Uint32 rawBaseMs = 0;    // the clock's own time then

void runDueCallbacks() {
  // A callback may schedule more; take them one at a time from the front.
  while (!scheduled.empty() && scheduled.begin()->first <= virtualNowMs) {
    std::function<void()> fn = scheduled.begin()->second;
    scheduled.erase(scheduled.begin());
    fn();
  }
  if (everyRead) everyRead(virtualNowMs);
}

Uint32 rawClock() {
  if (!virtualActive) return realClockMs();
  virtualNowMs += virtualStepMs;
  runDueCallbacks();
  return virtualNowMs;
}

Uint32 pacedTime(Uint32 rawMs) { return pacedBaseMs + (rawMs - rawBaseMs) * paceSpeed; }
}  // namespace

Uint32 readClock() {
  Uint32 raw = rawClock();
  return paced ? pacedTime(raw) : raw;
}

void paceClock(int speed) {
  Uint32 raw = virtualActive ? virtualNowMs : realClockMs();
  pacedBaseMs = paced ? pacedTime(raw) : raw;
  rawBaseMs = raw;
  paceSpeed = speed < 0 ? 0 : static_cast<Uint32>(speed);
  paced = true;
}

void unpaceClock() { paced = false; }

void yieldProcessor() {
  leaveIfSignalled();
  if (!virtualActive) SDL_Delay(1);
}

void yieldProcessorUntil(Uint32 dueMs) {
  leaveIfSignalled();
  if (virtualActive) return;
  if (paced) {  // dueMs is in paced time: wake soon and look again
    SDL_Delay(1);
    return;
  }
  // Signed difference: right across the clock's wrap; a due time already passed yields 1 ms.
  Sint32 leftMs = static_cast<Sint32>(dueMs - realClockMs());
  sleepForTick(leftMs >= 2 ? static_cast<Uint32>(leftMs) : 1, TICK_MS);
}

void waitForNextTick(Uint32& lastDrawMs) {
  Uint32 now = readClock();
  while (now - lastDrawMs < static_cast<Uint32>(TICK_MS)) {
    yieldProcessorUntil(lastDrawMs + TICK_MS);
    now = readClock();
  }
  lastDrawMs = now;
}

void waitForTickOrInput(Uint32& lastDrawMs, Uint32 untilMs) {
  waitForNextTick(lastDrawMs);
  if (virtualActive || !inputWakesSleep() || sdlEventsWaiting()) return;
  Sint32 leftMs = static_cast<Sint32>(untilMs - lastDrawMs);  // signed: right across the wrap
  if (leftMs <= 0) return;
  // One sleep: whatever woke it, the caller reads its input before sleeping again.
  sleepUntilInput(static_cast<Uint32>(leftMs));
  lastDrawMs = readClock();
}

namespace virtualClock {
void install(Uint32 msPerRead, Uint32 startMs) {
  virtualActive = true;
  virtualStepMs = msPerRead < 1 ? 1 : msPerRead;
  virtualNowMs = startMs;
  scheduled.clear();
  everyRead = nullptr;
}

void uninstall() {
  virtualActive = false;
  scheduled.clear();
  everyRead = nullptr;
}

bool installed() { return virtualActive; }
Uint32 now() { return virtualNowMs; }

void at(Uint32 atMs, std::function<void()> fn) { scheduled.emplace(atMs, std::move(fn)); }

void onEveryRead(std::function<void(Uint32)> fn) { everyRead = std::move(fn); }
}  // namespace virtualClock
