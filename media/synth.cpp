// Chip-style synthesis: oscillators, envelopes, noise, drums and a few buffer effects.
#include "synth.h"

#include <algorithm>
#include <cmath>

static const float TWO_PI = 6.2831853f;

float envAt(const Env& e, float t, float gate) {
  auto held = [&](float u) {
    if (u < e.a) return u / e.a;
    u -= e.a;
    if (u < e.d) return 1.f - (1.f - e.s) * (u / e.d);
    return e.s;
  };
  if (t < gate) return held(t);
  float rel = t - gate;
  if (rel >= e.r) return 0.f;
  return held(gate) * (1.f - rel / e.r);
}

float midiToHz(float note) { return 440.f * std::pow(2.f, (note - 69.f) / 12.f); }

// PolyBLEP residual that removes most of the aliasing of a hard edge at phase 0.
float blep(float t, float dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.f;
  }
  if (t > 1.f - dt) {
    t = (t - 1.f) / dt;
    return t * t + t + t + 1.f;
  }
  return 0.f;
}

float Oscillator::next(Wave w, float hz, float duty, bool metal) {
  float dt = hz / RATE;
  float v = 0;
  switch (w) {
    case W_PULSE: {
      float d = std::clamp(duty, 0.05f, 0.95f);
      v = phase < d ? 1.f : -1.f;
      v += blep(phase, dt);
      float p2 = phase - d;
      if (p2 < 0) p2 += 1;
      v -= blep(p2, dt);
      break;
    }
    case W_SAW: v = 2 * phase - 1 - blep(phase, dt); break;
    case W_TRIANGLE: {
      // Four-bit stepped triangle, as chip sound hardware plays it.
      float tri = phase < 0.5f ? 4 * phase - 1 : 3 - 4 * phase;
      v = std::round(tri * 7.5f) / 7.5f;
      break;
    }
    case W_SINE: v = std::sin(TWO_PI * phase); break;
    case W_NOISE:
    case W_METAL: {
      noiseAcc += hz / RATE;
      while (noiseAcc >= 1) {
        noiseAcc -= 1;
        int tap = (w == W_METAL || metal) ? 6 : 1;
        uint16_t bit = (uint16_t)((lfsr ^ (lfsr >> tap)) & 1);
        lfsr = (uint16_t)((lfsr >> 1) | (bit << 14));
        held = (lfsr & 1) ? 1.f : -1.f;
      }
      v = held;
      return v;
    }
  }
  phase += dt;
  if (phase >= 1) phase -= std::floor(phase);
  return v;
}

void addNote(Pcm& out, int start, float gate, float hz, const Tone& t, float vel) {
  Oscillator o;
  int n = (int)((gate + t.env.r) * RATE);
  for (int i = 0; i < n; ++i) {
    int k = start + i;
    if (k < 0) continue;
    if (k >= (int)out.size()) break;
    float time = (float)i / RATE;
    float semis = t.slide * time;
    if (t.vibDepth > 0 && time > t.vibDelay)
      semis += t.vibDepth * std::sin(TWO_PI * t.vibRate * (time - t.vibDelay)) *
               std::min(1.f, (time - t.vibDelay) * 4);
    float f = hz * std::pow(2.f, semis / 12.f);
    float duty = t.duty + t.dutySweep * time;
    duty = duty - std::floor(duty);
    if (t.dutySweep != 0) duty = 0.1f + 0.4f * std::fabs(2 * duty - 1);
    out[k] += o.next(t.wave, f, duty) * envAt(t.env, time, gate) * vel * t.gain;
  }
}

namespace {
// Adds a sound whose pitch (or noise clock) glides exponentially from `from` to `to` over
// `dur` seconds, shaped by the envelope; `sample` gives the oscillator's next value at a pitch.
template <typename Sample>
void addGlide(Pcm& out, int start, float dur, float from, float to, const Env& env, float vel,
              Sample sample) {
  int n = (int)((dur + env.r) * RATE);
  for (int i = 0; i < n; ++i) {
    int k = start + i;
    if (k >= (int)out.size()) break;
    float time = (float)i / RATE;
    float u = std::min(1.f, time / dur);
    float f = from * std::pow(to / from, u);
    out[k] += sample(f) * envAt(env, time, dur) * vel;
  }
}
}  // namespace

void addSweep(Pcm& out, int start, float dur, float f0, float f1, Wave w, float duty,
              const Env& env, float vel) {
  Oscillator o;
  addGlide(out, start, dur, f0, f1, env, vel, [&](float f) { return o.next(w, f, duty); });
}

void addNoise(Pcm& out, int start, float dur, float clock0, float clock1, const Env& env, float vel,
              bool metallic) {
  Oscillator o;
  addGlide(out, start, dur, clock0, clock1, env, vel,
           [&](float c) { return o.next(W_NOISE, c, 0, metallic); });
}

void addKick(Pcm& out, int start, float vel) {
  // A fast downward sine sweep gives the punch; a click of noise gives the attack.
  Env e{0.001f, 0.16f, 0.f, 0.02f};
  addSweep(out, start, 0.16f, 150.f, 42.f, W_SINE, 0.5f, e, vel);
  addNoise(out, start, 0.012f, 9000, 4000, Env{0.0005f, 0.012f, 0.f, 0.002f}, vel * 0.35f);
}

void addSnare(Pcm& out, int start, float vel) {
  addNoise(out, start, 0.14f, 11000, 6000, Env{0.001f, 0.14f, 0.f, 0.02f}, vel * 0.55f);
  addSweep(out, start, 0.07f, 240.f, 170.f, W_TRIANGLE, 0.5f, Env{0.001f, 0.07f, 0.f, 0.01f},
           vel * 0.5f);
}

void addHat(Pcm& out, int start, float vel, bool open) {
  float d = open ? 0.16f : 0.035f;
  addNoise(out, start, d, 20000, 18000, Env{0.0005f, d, 0.f, 0.01f}, vel * 0.3f, true);
}

void lowPass(Pcm& p, float c0, float c1) {
  float y = 0;
  size_t n = p.size();
  for (size_t i = 0; i < n; ++i) {
    float u = n > 1 ? (float)i / (n - 1) : 0;
    float c = c0 * std::pow(c1 / c0, u);
    float a = 1 - std::exp(-TWO_PI * c / RATE);
    y += a * (p[i] - y);
    p[i] = y;
  }
}

void echo(Pcm& p, float delay, float feedback, float wet) {
  int d = (int)(delay * RATE);
  Pcm buf(p.size(), 0.f);
  for (size_t i = 0; i < p.size(); ++i) {
    float past = i >= (size_t)d ? buf[i - d] : 0.f;
    buf[i] = p[i] + past * feedback;
    p[i] = p[i] + past * wet;
  }
}

void softClip(Pcm& p) {
  for (float& v : p) v = std::tanh(v);
}

float peakOf(const Pcm& p) {
  float m = 0;
  for (float v : p) m = std::max(m, std::fabs(v));
  return m;
}

float rmsOf(const Pcm& p) {
  double s = 0;
  for (float v : p) s += (double)v * v;
  return p.empty() ? 0.f : (float)std::sqrt(s / p.size());
}

void normalise(Pcm& p, float peak) {
  float m = peakOf(p);
  if (m <= 0) return;
  for (float& v : p) v *= peak / m;
}

Pcm silence(float seconds) { return Pcm((size_t)(seconds * RATE), 0.f); }

void mixInto(Pcm& dst, const Pcm& src, int at, float gain) {
  for (size_t i = 0; i < src.size() && at + i < dst.size(); ++i) dst[at + i] += src[i] * gain;
}
