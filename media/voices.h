// Stereo voices for the tunes: table oscillators, envelopes, panning, an echo bus and a drum
// kit, all in plain float arithmetic (no libm calls per sample) so every machine renders alike.
#pragma once
#include <cstddef>
#include <cstdint>

#include "synth.h"  // RATE, Pcm, Env

struct Stereo {
  Pcm l, r;
  explicit Stereo(size_t n = 0) : l(n, 0.f), r(n, 0.f) {}
  size_t size() const { return l.size(); }
};

enum Timbre { T_PULSE, T_SAW, T_TRIANGLE, T_SINE, T_FM, T_ORGAN };

struct Instrument {
  Timbre timbre = T_PULSE;
  float duty = 0.5f;     // pulse width, 0..1
  Env env;               // seconds; sustain level 0..1
  float fmRatio = 2.f;   // modulator frequency / carrier frequency (T_FM)
  float fmDepth = 0.f;   // modulation in cycles at full envelope (T_FM)
  float vibDepth = 0.f;  // fraction of the frequency
  float vibRate = 5.f;   // Hz
  float tone = 1.f;      // one-pole low-pass coefficient per sample, 1 = open
  float detune = 0.f;    // a second oscillator this fraction sharp, for a chorus; 0 = none
  float pan = 0.f;       // -1 left .. 1 right
  float gain = 1.f;
  float send = 0.f;  // share sent to the echo bus
};

// Equal-tempered frequency of a MIDI note from a table of semitone ratios.
float noteHz(int midi);
// Sine of a 32-bit phase (a full turn is 2^32), from an interpolated table.
float sineAt(uint32_t phase);
void playNote(Stereo& out, Stereo& echoBus, int start, float gate, int midi, float vel,
              const Instrument& in);

enum Drum { D_KICK, D_SNARE, D_HAT, D_OPEN_HAT, D_TOM, D_CRASH, D_CLAP };
// pitch shifts toms and kicks (1 = standard); pan -1..1.
void playDrum(Stereo& out, int start, Drum d, float vel, float pan, float pitch = 1.f);

// Echo that alternates sides: left feeds right and right feeds left, delay in samples.
void pingPongEcho(Stereo& bus, int delay, float feedback, float damp);
// Removes the constant offset: a first-order high-pass at about 16 Hz.
void dcBlock(Pcm& p);
// Gentle limiter: unchanged below knee, approaches ceiling smoothly above it.
void softLimit(Pcm& p, float knee, float ceiling);
