// The game's own 15-bit linear congruential generator (same constants on every platform,
// so a fixed seed replays identically everywhere).
#include "platform/random.h"

#include <ctime>

bool runOnce = false;

namespace {
unsigned long randomState = 1;

int next15Bits() {
  randomState = (randomState * 1103515245UL + 12345UL) & 0xFFFFFFFFUL;
  return static_cast<int>((randomState >> 16) & 0x7FFF);
}
}  // namespace

void seedRandom(unsigned int seed) {
  randomState = seed;
  runOnce = true;
}

int pickRandom(int high) {
  if (!runOnce) seedRandom(static_cast<unsigned int>(time(nullptr)));
  int r = next15Bits();
  float x = static_cast<float>(r / 32768.0);
  return static_cast<int>(high * x);
}
