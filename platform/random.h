// Bounded dice rolls from a 15-bit generator, seeded once per process from the calendar
// time unless a tool or test fixes the seed first.
#pragma once

int pickRandom(int high);            // 0 to high - 1
void seedRandom(unsigned int seed);  // fixes the sequence; no clock seeding happens after
extern bool runOnce;
// The generator's state, seeding it from the calendar first if nothing has yet, so that a
// level's run can be replayed from it (seedRandom puts it back).
unsigned int randomState();  // the generator has been seeded
