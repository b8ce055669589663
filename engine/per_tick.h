// Distance covered in a whole number of ticks at a rate per tick.
#pragma once

// Exactly ticks * perTick; a frame is almost always one tick, and one times a float is the
// float itself, which saves the conversion and the multiply (library calls on a processor
// without floating point) for every moving object.
inline float overTicks(int ticks, float perTick) { return ticks == 1 ? perTick : ticks * perTick; }
