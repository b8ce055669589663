// The game's own 15-bit linear congruential generator (same constants on every platform,
// so a fixed seed replays identically everywhere).
#include "platform/random.h"

#include <ctime>

bool runOnce = false;

namespace {
unsigned long generatorState = 1;

int next15Bits() {
  generatorState = (generatorState * 1103515245UL + 12345UL) & 0xFFFFFFFFUL;
  return static_cast<int>((generatorState >> 16) & 0x7FFF);
}
}  // namespace

void seedRandom(unsigned int seed) {
  generatorState = seed;
  runOnce = true;
}

unsigned int randomState() {
  if (!runOnce) seedRandom(static_cast<unsigned int>(time(nullptr)));
  return static_cast<unsigned int>(generatorState);
}

int pickRandom(int high) {
  if (!runOnce) seedRandom(static_cast<unsigned int>(time(nullptr)));
  int r = next15Bits();
  float x = static_cast<float>(r / 32768.0);
  return static_cast<int>(high * x);
}
