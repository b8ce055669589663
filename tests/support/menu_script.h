// Scripted players for the menu tests: inputs are pushed in steps, each once the screen
// before has taken the last step's inputs and had time to move on, with an optional
// check of what is on screen at that moment. Also counts the menu sounds played.
#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "frontend/game.h"
#include "platform/clock.h"
#include "platform/input.h"
#include "tests/support/headless.h"

namespace menuTest {

// count presses (down and up) of a key.
inline std::vector<SDL_Event> keys(SDLKey key, int count = 1) {
  std::vector<SDL_Event> events;
  for (int i = 0; i < count; i++) {
    events.push_back(keyEvent(key, true));
    events.push_back(keyEvent(key, false));
  }
  return events;
}

inline std::vector<SDL_Event> button(int number) {
  return {joyButtonEvent(number, true), joyButtonEvent(number, false)};
}

inline std::vector<SDL_Event> operator+(std::vector<SDL_Event> a, const std::vector<SDL_Event>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline bool queueIsEmpty() {
  SDL_Event peeked[1];
  return SDL_PeepEvents(peeked, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) <= 0;
}

class script {
 public:
  // Longer than a fade (60 ticks, 960 ms): by then the screen that took the last inputs
  // has finished with them.
  static constexpr Uint32 QUIET_MS = 1500;
  // Virtual time after the last step by which the code under test must have returned.
  static constexpr Uint32 GIVE_UP_MS = 60 * 1000;

  script& then(std::vector<SDL_Event> events, std::function<void()> check = nullptr) {
    steps.push_back({std::move(check), std::move(events), nullptr});
    return *this;
  }
  // Pushes the events again each time the queue has been quiet, until done() holds.
  script& repeatUntil(std::function<bool()> done, std::vector<SDL_Event> events) {
    steps.push_back({nullptr, std::move(events), std::move(done)});
    return *this;
  }

  // Runs fn on every clock read, to see what passes between the steps.
  script& watch(std::function<void()> fn) {
    watcher = std::move(fn);
    return *this;
  }

  // Starts playing the steps on the virtual clock.
  void start() {
    virtualClock::onEveryRead([this](Uint32 nowMs) { onRead(nowMs); });
  }
  bool finished() const { return next == steps.size() && unpushed.empty(); }

 private:
  struct step {
    std::function<void()> check;
    std::vector<SDL_Event> events;
    std::function<bool()> repeatUntil;
  };
  std::vector<step> steps;
  size_t next = 0;
  Uint32 quietSinceMs = 0;
  Uint32 lastStepMs = 0;
  std::function<void()> watcher;

  void onRead(Uint32 nowMs) {
    if (watcher) watcher();
    if (!finished()) lastStepMs = nowMs;
    if (nowMs - lastStepMs > GIVE_UP_MS) {
      fprintf(stderr, "The screen under test never returned (%zu of %zu steps played)\n", next,
              steps.size());
      std::_Exit(3);
    }
    // SDL's queue holds 128 events: a long step goes in as room appears.
    while (!unpushed.empty() && SDL_PushEvent(&unpushed.front()) == 0) {
      unpushed.erase(unpushed.begin());
    }
    if (!unpushed.empty() || !queueIsEmpty()) {
      quietSinceMs = nowMs;
      return;
    }
    if (next == steps.size() || nowMs - quietSinceMs < QUIET_MS) return;
    if (steps[next].repeatUntil && steps[next].repeatUntil()) next++;
    if (next == steps.size()) return;
    step& due = steps[next];
    if (!due.repeatUntil) next++;
    if (due.check) due.check();
    unpushed = due.events;
    quietSinceMs = nowMs;
  }
  std::vector<SDL_Event> unpushed;
};

// Silent sounds long enough to keep their channel busy for the whole test, so the
// channels in use tell how often each sound was played.
class soundCounter {
 public:
  explicit soundCounter(game& g) : g(g) {
    Mix_Volume(-1, 0);
    samples.assign(22050 * 2 * 120, 0);  // two minutes of 16-bit stereo
    replace(g.toggle_sound, toggle);
    replace(g.affirm_sound, affirm);
  }
  ~soundCounter() { Mix_HaltChannel(-1); }
  int toggles() const { return playing(toggle); }
  int affirms() const { return playing(affirm); }

 private:
  game& g;
  std::vector<Sint16> samples;
  Mix_Chunk* toggle = nullptr;
  Mix_Chunk* affirm = nullptr;

  void replace(Mix_Chunk*& owned, Mix_Chunk*& mine) {
    if (owned != nullptr) Mix_FreeChunk(owned);
    mine = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(samples.data()),
                             static_cast<Uint32>(samples.size() * sizeof(Sint16)));
    owned = mine;
  }
  int playing(Mix_Chunk* chunk) const {
    int count = 0;
    for (int ch = 0; ch < 16; ch++) {
      if (Mix_Playing(ch) && Mix_GetChunk(ch) == chunk) count++;
    }
    return count;
  }
};

// True when the surface shows text exactly as drawText renders it at (x, y) on black.
inline bool showsText(game& g, SDL_Surface* shown, const std::string& text, int x, int y) {
  int w = 0, h = 0;
  if (TTF_SizeText(g.font, text.c_str(), &w, &h) != 0 || w == 0) return false;
  SDL_Surface* expected = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0, 0, 0, 0);
  SDL_FillRect(expected, nullptr, 0);
  g.drawText(expected, text.c_str(), x, y, 255, 255, 255);
  bool same = true;
  for (int row = y; row < y + h && row < 240 && same; row++) {
    size_t bytes = static_cast<size_t>(std::min(w, 320 - x)) * 2;
    same = std::memcmp(surfaceRow(expected, row) + x, surfaceRow(shown, row) + x, bytes) == 0;
  }
  SDL_FreeSurface(expected);
  return same;
}

// Lit pixels in a rectangle: a cheap test for "something is drawn here".
inline int litPixels(SDL_Surface* surface, int x, int y, int w, int h) {
  int lit = 0;
  for (int row = y; row < y + h; row++) {
    const Uint16* pixels = surfaceRow(surface, row) + x;
    lit += w - static_cast<int>(std::count(pixels, pixels + w, 0));
  }
  return lit;
}

// Which of count lines, the first at firstY and then every stepY pixels, carries the
// ">" marker at x 0: 1 to count, 0 for none, -1 for more than one.
inline int markedLine(SDL_Surface* surface, int firstY, int stepY, int count) {
  int marked = 0;
  for (int line = 1; line <= count; line++) {
    if (litPixels(surface, 0, firstY + stepY * (line - 1), 10, 10) == 0) continue;
    if (marked != 0) return -1;
    marked = line;
  }
  return marked;
}

inline std::string padded(const std::string& name) {
  return (name + std::string(30, ' ')).substr(0, 30);
}

// A 131-byte profile file.
inline std::string profileFile(char marker, const std::string& name,
                               const std::vector<int>& settings) {
  std::string bytes(1, marker);
  bytes += padded(name);
  for (int i = 0; i < 100; i++) bytes += static_cast<char>((settings[i] + 48) & 0xff);
  return bytes;
}

inline std::vector<int> startingSettings() {
  std::vector<int> settings(100, 0);
  for (int i = 0; i <= 10; i++) settings[i] = 3;
  return settings;
}

inline std::string slotPath(int slot) {
  return "profiles/profile0" + std::to_string(slot) + ".txt";
}

// A real game object in a scratch game directory, on the virtual clock.
struct gameTest : testing::Test {
  scratchGameDir scratch;
  game* g = nullptr;
  script player;

  void SetUp() override {
    g = new game();
    virtualClock::install(1);
    drainEvents();
  }
  void TearDown() override {
    virtualClock::uninstall();
    delete g;
  }
  std::string name() const { return std::string(g->profileName, 30); }
};

}  // namespace menuTest
