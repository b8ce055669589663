// Chip-style synthesis: band-limited pulse and saw, triangle, sine, LFSR noise, ADSR envelopes,
// pitch sweeps and the three drum voices. All mono float PCM at 22050 Hz.
#pragma once
#include <cstdint>
#include <vector>

constexpr int RATE = 22050;
using Pcm = std::vector<float>;

enum Wave { W_PULSE, W_TRIANGLE, W_SAW, W_SINE, W_NOISE, W_METAL };

struct Env {
  float a = 0.005f, d = 0.1f, s = 0.7f, r = 0.05f;  // seconds; s is a level 0..1
};
// Envelope level at time t (s) for a note whose gate is held for gate seconds.
float envAt(const Env& e, float t, float gate);

struct Tone {
  Wave wave = W_PULSE;
  float duty = 0.5f;
  Env env;
  float vibDepth = 0.f;  // semitones
  float vibRate = 5.5f;  // Hz
  float vibDelay = 0.15f;
  float slide = 0.f;      // semitones per second, applied over the whole note
  float dutySweep = 0.f;  // duty change per second (pulse width modulation)
  float gain = 1.f;
};

struct Instrument;

// The one oscillator of effects and tunes alike. The effects step a phase in turns (0..1)
// with next(); the tunes' table voices step a 32-bit phase (a full turn is 2^32) with
// sample(), which plain integer arithmetic keeps the same on every machine. Noise comes from
// a 15-bit shift register clocked at the note's rate.
struct Oscillator {
  float phase = 0;
  uint16_t lfsr = 1;
  float held = 1, noiseAcc = 0;
  uint32_t turn = 0, mod = 0;  // sample(): the carrier's and the FM modulator's phase
  float next(Wave w, float hz, float duty, bool metal = false);
  // One sample of the instrument's timbre at phase step inc; env scales the FM depth.
  float sample(const Instrument& in, uint32_t inc, float env);
};

float midiToHz(float note);
// PolyBLEP residual that removes most of the aliasing of a hard edge at phase 0 (t and dt
// in cycles).
float blep(float t, float dt);
// Adds one note to out, starting at sample start; the gate lasts gate seconds, then the release.
void addNote(Pcm& out, int start, float gate, float hz, const Tone& t, float vel);
// A sweep from f0 to f1 (exponential) over dur seconds, shaped by env.
void addSweep(Pcm& out, int start, float dur, float f0, float f1, Wave w, float duty,
              const Env& env, float vel);
// Noise burst; clock is the LFSR step rate in Hz (low = rumble, high = hiss), swept to clock1.
void addNoise(Pcm& out, int start, float dur, float clock0, float clock1, const Env& env, float vel,
              bool metallic = false);

void addKick(Pcm& out, int start, float vel);
void addSnare(Pcm& out, int start, float vel);
void addHat(Pcm& out, int start, float vel, bool open);

// One-pole low-pass over the whole buffer with a cutoff that may glide from c0 to c1 (Hz).
void lowPass(Pcm& p, float c0, float c1);
// Feedback echo: delay in seconds, feedback and wet mix 0..1.
void echo(Pcm& p, float delay, float feedback, float wet);
void softClip(Pcm& p);
void normalise(Pcm& p, float peak);
float peakOf(const Pcm& p);
float rmsOf(const Pcm& p);
Pcm silence(float seconds);
void mixInto(Pcm& dst, const Pcm& src, int at, float gain);
