// Float shortcuts for a processor without floating point: the distance covered in a whole
// number of ticks, and a float's bits as a key for remembering what was worked out from it.
#pragma once
#include <cstdint>
#include <cstring>

// Exactly ticks * perTick; a frame is almost always one tick, and one times a float is the
// float itself, which saves the conversion and the multiply (library calls on a processor
// without floating point) for every moving object.
inline float overTicks(int ticks, float perTick) { return ticks == 1 ? perTick : ticks * perTick; }

// The float's bits: equal keys mean equal inputs, so a remembered result is exactly what a
// new calculation would give.
inline std::uint32_t bitsOf(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}
