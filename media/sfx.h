// The game's sound effects, synthesised and levelled.
#pragma once
#include <string>
#include <vector>

#include "synth.h"

struct Sfx {
  std::string file;  // path under the game directory
  Pcm pcm;
  float peak;  // peak level the effect is normalised to (full scale 1.0)
};

std::vector<Sfx> makeSoundEffects();
