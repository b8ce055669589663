// Table oscillators, voices, drum kit and bus effects for the tunes.
#include "voices.h"

#include "synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int TABLE_BITS = 12;
constexpr int TABLE = 1 << TABLE_BITS;
constexpr double TURN = 4294967296.0;  // one cycle of a 32-bit phase

// Sine from its Taylor series on [-pi/2, pi/2]: plain arithmetic, no libm.
double seriesSin(double x) {
  const double PI = 3.14159265358979323846;
  if (x > PI / 2) x = PI - x;
  if (x < -PI / 2) x = -PI - x;
  double x2 = x * x, term = x, sum = x;
  for (int n = 1; n <= 7; ++n) {
    term *= -x2 / ((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum;
}

struct SineTable {
  float v[TABLE + 1];
  SineTable() {
    const double PI = 3.14159265358979323846;
    for (int i = 0; i <= TABLE; ++i) {
      double x = 2 * PI * i / TABLE;
      v[i] = (float)(x <= PI ? seriesSin(x) : -seriesSin(x - PI));
    }
  }
};
const SineTable SINE_TABLE;

uint32_t phaseStep(float hz) { return (uint32_t)(int64_t)(hz * (float)(TURN / RATE)); }

}  // namespace

float noteHz(int midi) {
  static const float RATIO[12] = {1.f,           1.0594630944f, 1.1224620483f, 1.1892071150f,
                                  1.2599210499f, 1.3348398542f, 1.4142135624f, 1.4983070769f,
                                  1.5874010520f, 1.6817928305f, 1.7817974363f, 1.8877486254f};
  int k = midi - 69, oct = 0;
  while (k < 0) {
    k += 12;
    --oct;
  }
  oct += k / 12;
  float hz = 440.f * RATIO[k % 12];
  for (; oct > 0; --oct) hz *= 2;
  for (; oct < 0; ++oct) hz *= 0.5f;
  return hz;
}

float sineAt(uint32_t phase) {
  uint32_t i = phase >> (32 - TABLE_BITS);
  float frac = (float)(phase & ((1u << (32 - TABLE_BITS)) - 1)) * (1.f / (1u << (32 - TABLE_BITS)));
  return SINE_TABLE.v[i] + (SINE_TABLE.v[i + 1] - SINE_TABLE.v[i]) * frac;
}

float Oscillator::sample(const Instrument& in, uint32_t inc, float env) {
  float t = (float)turn * (float)(1.0 / TURN), dt = (float)inc * (float)(1.0 / TURN);
  float v = 0;
  switch (in.timbre) {
    case T_PULSE: {
      float d = in.duty;
      v = t < d ? 1.f : -1.f;
      v += blep(t, dt);
      float t2 = t - d;
      if (t2 < 0) t2 += 1.f;
      v -= blep(t2, dt);
      v -= 2 * d - 1;  // centre the wave: a narrow pulse has a large mean
      break;
    }
    case T_SAW: v = 2 * t - 1 - blep(t, dt); break;
    case T_TRIANGLE: v = t < 0.5f ? 4 * t - 1 : 3 - 4 * t; break;
    case T_SINE: v = sineAt(turn); break;
    case T_FM: {
      mod += (uint32_t)(int64_t)((float)inc * in.fmRatio);
      float pm = in.fmDepth * env * sineAt(mod);
      v = sineAt(turn + (uint32_t)(int32_t)(pm * 16777216.f) * 256u);
      break;
    }
    case T_ORGAN:
      v = 0.6f * sineAt(turn) + 0.3f * sineAt(turn * 2) + 0.15f * sineAt(turn * 3);
      break;
  }
  turn += inc;
  return v;
}

void playNote(Stereo& out, Stereo& echoBus, int start, float gate, int midi, float vel,
              const Instrument& in) {
  uint32_t inc = phaseStep(noteHz(midi));
  uint32_t inc2 = phaseStep(noteHz(midi) * (1.f + in.detune));
  uint32_t vibInc = phaseStep(in.vibRate), vib = 0;
  float gl = std::sqrt(0.5f * (1 - in.pan)) * vel * in.gain,
        gr = std::sqrt(0.5f * (1 + in.pan)) * vel * in.gain;
  Oscillator a, b;
  b.turn = 0x40000000u;  // the chorus voice starts a quarter turn on, so the two never cancel
  float y = 0;
  int n = (int)((gate + in.env.r) * RATE);
  int vibDelay = RATE / 6;
  for (int i = 0; i < n; ++i) {
    int k = start + i;
    if (k < 0) continue;
    if (k >= (int)out.size()) break;
    float time = (float)i * (1.f / RATE);
    float env = envAt(in.env, time, gate);
    uint32_t step = inc, step2 = inc2;
    if (in.vibDepth > 0 && i > vibDelay) {
      float w = 1.f + in.vibDepth * sineAt(vib);
      vib += vibInc;
      step = (uint32_t)(int64_t)((float)inc * w);
      step2 = (uint32_t)(int64_t)((float)inc2 * w);
    }
    float v = a.sample(in, step, env);
    if (in.detune > 0) v = 0.6f * (v + b.sample(in, step2, env));
    y += in.tone * (v - y);
    float s = y * env;
    out.l[k] += s * gl;
    out.r[k] += s * gr;
    if (in.send > 0) {
      echoBus.l[k] += s * gl * in.send;
      echoBus.r[k] += s * gr * in.send;
    }
  }
}

namespace {
// A drum: length (s), amplitude decay per sample, a tone gliding from tone0 towards tone1 Hz
// (a share glide of the distance left each sample; pitched drums scale both by the pitch),
// mixed at toneMix, and noise at level noise coloured by a high-pass (coefficient hp,
// 0 = none) and a low-pass (lp, 1 = open).
struct DrumPreset {
  float len, decay, tone0, tone1, glide, toneMix, noise, hp, lp;
  bool pitched;
};

// In the order of Drum.
const DrumPreset DRUM_PRESETS[] = {
    {0.3f, 0.99975f, 150, 45, 0.9975f, 1, 0.08f, 0, 0.5f, true},           // D_KICK
    {0.22f, 0.99965f, 230, 180, 0.999f, 0.45f, 0.7f, 0.25f, 0.7f, false},  // D_SNARE
    {0.05f, 0.9985f, 0, 0, 0.999f, 0, 0.5f, 0.8f, 1, false},               // D_HAT
    {0.25f, 0.99975f, 0, 0, 0.999f, 0, 0.45f, 0.8f, 1, false},             // D_OPEN_HAT
    {0.35f, 0.9997f, 220, 110, 0.9992f, 0.9f, 0.1f, 0, 0.4f, true},        // D_TOM
    {1.4f, 0.99992f, 0, 0, 0.999f, 0, 0.4f, 0.5f, 0.8f, false},            // D_CRASH
    {0.18f, 0.99955f, 0, 0, 0.999f, 0, 0.8f, 0.3f, 0.5f, false},           // D_CLAP
};
static_assert(sizeof DRUM_PRESETS / sizeof DRUM_PRESETS[0] == D_CLAP + 1, "one preset a drum");
}  // namespace

void playDrum(Stereo& out, int start, Drum d, float vel, float pan, float pitch) {
  float gl = std::sqrt(0.5f * (1 - pan)) * vel, gr = std::sqrt(0.5f * (1 + pan)) * vel;
  const DrumPreset& p = DRUM_PRESETS[d];
  const float len = p.len, decay = p.decay, glide = p.glide, toneMix = p.toneMix, noise = p.noise,
              hp = p.hp, lp = p.lp;
  const float tone0 = p.pitched ? p.tone0 * pitch : p.tone0;
  const float tone1 = p.pitched ? p.tone1 * pitch : p.tone1;
  uint32_t phase = 0;
  uint16_t lfsr = 0xACE1u;
  float amp = 1, hz = tone0, low = 0, band = 0;
  int n = (int)(len * RATE);
  for (int i = 0; i < n && start + i < (int)out.size(); ++i) {
    if (start + i < 0) continue;
    float v = 0;
    if (toneMix > 0) {
      v += toneMix * sineAt(phase);
      phase += phaseStep(hz);
      hz = tone1 + (hz - tone1) * glide;
    }
    if (noise > 0) {
      uint16_t bit = (uint16_t)((lfsr ^ (lfsr >> 2) ^ (lfsr >> 3) ^ (lfsr >> 5)) & 1u);
      lfsr = (uint16_t)((lfsr >> 1) | (bit << 15));
      float w = (lfsr & 1u) ? 1.f : -1.f;
      low += hp * (w - low);  // what the high-pass removes
      float hi = w - low;
      band += lp * (hi - band);
      v += noise * band;
    }
    // A short fade-in avoids a click; the tail fades to zero by the end.
    float edge = std::min(1.f, i * (1.f / 24)) * std::min(1.f, (n - i) * (1.f / 200));
    float s = v * amp * edge;
    out.l[start + i] += s * gl;
    out.r[start + i] += s * gr;
    amp *= decay;
  }
}

void pingPongEcho(Stereo& bus, int delay, float feedback, float damp) {
  if (delay <= 0) return;
  float ll = 0, lr = 0;
  for (size_t i = (size_t)delay; i < bus.size(); ++i) {
    // Each repeat crosses to the other side and loses some treble.
    ll += damp * (bus.r[i - delay] - ll);
    lr += damp * (bus.l[i - delay] - lr);
    bus.l[i] += ll * feedback;
    bus.r[i] += lr * feedback;
  }
}

void dcBlock(Pcm& p) {
  float x1 = 0, y1 = 0;
  for (float& v : p) {
    float y = v - x1 + 0.9955f * y1;
    x1 = v;
    y1 = y;
    v = y;
  }
}

void softLimit(Pcm& p, float knee, float ceiling) {
  float room = ceiling - knee;
  for (float& v : p) {
    float a = v < 0 ? -v : v;
    if (a <= knee) continue;
    float over = (a - knee) / room;
    float c = knee + room * over / (1 + over);
    v = v < 0 ? -c : c;
  }
}
