// The fourteen sound effects: menu blips, guns, explosions and pick-up jingles.
#include "sfx.h"

#include <algorithm>

static int at(float sec) { return (int)(sec * RATE); }

static Env pluck(float d) { return Env{0.002f, d, 0.f, 0.01f}; }

static void notes(Pcm& p, const float* hz, const float* len, int n, float start, const Tone& t,
                  float vel) {
  float time = start;
  for (int i = 0; i < n; ++i) {
    addNote(p, at(time), len[i], hz[i], t, vel);
    time += len[i];
  }
}

static Pcm toggleSound() {
  Pcm p = silence(0.09f);
  Tone t;
  t.duty = 0.25f;
  t.env = Env{0.001f, 0.03f, 0.5f, 0.01f};
  addNote(p, 0, 0.03f, midiToHz(84), t, 1.f);
  addNote(p, at(0.03f), 0.035f, midiToHz(91), t, 0.9f);
  return p;
}

static Pcm affirmSound() {
  Pcm p = silence(0.36f);
  Tone t;
  t.duty = 0.5f;
  t.env = Env{0.001f, 0.08f, 0.6f, 0.06f};
  const float hz[] = {midiToHz(72), midiToHz(76), midiToHz(79), midiToHz(84)};
  const float len[] = {0.05f, 0.05f, 0.05f, 0.14f};
  notes(p, hz, len, 4, 0, t, 1.f);
  Tone hi = t;
  hi.duty = 0.125f;
  const float hz2[] = {midiToHz(84), midiToHz(88), midiToHz(91), midiToHz(96)};
  notes(p, hz2, len, 4, 0.01f, hi, 0.35f);
  return p;
}

// The player's gun fires eight to ten times a second: a short, soft, falling blip.
static Pcm avatarGun() {
  Pcm p = silence(0.075f);
  addSweep(p, 0, 0.06f, 1500.f, 520.f, W_PULSE, 0.25f, pluck(0.06f), 1.f);
  addNoise(p, 0, 0.012f, 14000, 9000, pluck(0.012f), 0.25f);
  lowPass(p, 7000, 2500);
  return p;
}

// Enemy shots buzz: a saw and a detuned square beating against each other, wobbling down.
static Pcm enemyGun() {
  Pcm p = silence(0.18f);
  Env e{0.004f, 0.15f, 0.f, 0.02f};
  addSweep(p, 0, 0.15f, 520.f, 210.f, W_SAW, 0.5f, e, 0.7f);
  addSweep(p, 0, 0.15f, 548.f, 226.f, W_PULSE, 0.5f, e, 0.45f);
  Tone wob;
  wob.wave = W_TRIANGLE;
  wob.env = e;
  wob.vibDepth = 1.5f;
  wob.vibRate = 28.f;
  wob.vibDelay = 0.f;
  addNote(p, 0, 0.15f, 330.f, wob, 0.4f);
  lowPass(p, 4000, 1200);
  return p;
}

// The ship's own end: a deep rumble under a long falling whine and a few late cracks.
static Pcm avatarExplode() {
  Pcm p = silence(1.6f);
  addNoise(p, 0, 1.4f, 3000, 120, Env{0.002f, 1.4f, 0.f, 0.1f}, 1.f);
  addSweep(p, 0, 1.3f, 900.f, 55.f, W_PULSE, 0.5f, Env{0.005f, 1.3f, 0.f, 0.1f}, 0.45f);
  addSweep(p, 0, 1.5f, 140.f, 28.f, W_SINE, 0.5f, Env{0.002f, 1.5f, 0.f, 0.1f}, 1.f);
  addNoise(p, at(0.3f), 0.3f, 1800, 300, Env{0.002f, 0.3f, 0.f, 0.05f}, 0.5f);
  addNoise(p, at(0.65f), 0.35f, 1200, 200, Env{0.002f, 0.35f, 0.f, 0.05f}, 0.4f);
  lowPass(p, 3500, 400);
  return p;
}

static Pcm enemyExplode() {
  Pcm p = silence(0.55f);
  addNoise(p, 0, 0.5f, 7000, 700, Env{0.001f, 0.48f, 0.f, 0.04f}, 1.f);
  addNoise(p, 0, 0.06f, 12000, 6000, pluck(0.06f), 0.5f, true);
  addSweep(p, 0, 0.25f, 220.f, 55.f, W_PULSE, 0.5f, pluck(0.25f), 0.35f);
  lowPass(p, 9000, 1500);
  return p;
}

static Pcm doubleFire() {
  Pcm p = silence(0.36f);
  Env e{0.002f, 0.14f, 0.3f, 0.03f};
  addSweep(p, 0, 0.12f, 440.f, 880.f, W_PULSE, 0.25f, e, 0.9f);
  addSweep(p, at(0.13f), 0.17f, 660.f, 1320.f, W_PULSE, 0.25f, e, 0.9f);
  return p;
}

static Pcm tripleFire() {
  Pcm p = silence(0.5f);
  Env e{0.002f, 0.12f, 0.3f, 0.03f};
  addSweep(p, 0, 0.1f, 440.f, 880.f, W_PULSE, 0.25f, e, 0.9f);
  addSweep(p, at(0.11f), 0.1f, 587.f, 1175.f, W_PULSE, 0.25f, e, 0.9f);
  addSweep(p, at(0.22f), 0.16f, 784.f, 1568.f, W_PULSE, 0.25f, e, 0.9f);
  Tone s;
  s.duty = 0.125f;
  s.env = pluck(0.08f);
  for (int i = 0; i < 3; ++i)
    addNote(p, at(0.36f + i * 0.035f), 0.03f, midiToHz(96 + i * 4), s, 0.4f);
  return p;
}

static Pcm points500() {
  Pcm p = silence(0.5f);
  Tone t;
  t.duty = 0.25f;
  t.env = Env{0.001f, 0.12f, 0.45f, 0.12f};
  const float hz[] = {midiToHz(83), midiToHz(88), midiToHz(91), midiToHz(95)};
  const float len[] = {0.05f, 0.07f, 0.05f, 0.2f};
  notes(p, hz, len, 4, 0, t, 1.f);
  return p;
}

static Pcm points100() {
  Pcm p = silence(0.24f);
  Tone t;
  t.duty = 0.5f;
  t.env = Env{0.001f, 0.08f, 0.4f, 0.08f};
  addNote(p, 0, 0.05f, midiToHz(88), t, 1.f);
  addNote(p, at(0.05f), 0.1f, midiToHz(93), t, 1.f);
  return p;
}

static Pcm healthPack() {
  Pcm p = silence(0.62f);
  Tone t;
  t.wave = W_TRIANGLE;
  t.env = Env{0.004f, 0.1f, 0.7f, 0.12f};
  t.vibDepth = 0.25f;
  t.vibDelay = 0.05f;
  const float hz[] = {midiToHz(72), midiToHz(76), midiToHz(79), midiToHz(84), midiToHz(88)};
  const float len[] = {0.07f, 0.07f, 0.07f, 0.07f, 0.22f};
  notes(p, hz, len, 5, 0, t, 1.f);
  Tone sq = t;
  sq.wave = W_PULSE;
  sq.duty = 0.5f;
  notes(p, hz, len, 5, 0, sq, 0.3f);
  return p;
}

static Pcm madeLeaderboard() {
  Pcm p = silence(1.1f);
  Tone t;
  t.duty = 0.25f;
  t.env = Env{0.004f, 0.1f, 0.75f, 0.15f};
  t.vibDepth = 0.3f;
  t.vibDelay = 0.12f;
  const float hz[] = {midiToHz(67), midiToHz(72), midiToHz(76),
                      midiToHz(79), midiToHz(76), midiToHz(84)};
  const float len[] = {0.09f, 0.09f, 0.09f, 0.18f, 0.09f, 0.42f};
  notes(p, hz, len, 6, 0, t, 1.f);
  Tone h = t;
  h.duty = 0.5f;
  const float hz2[] = {midiToHz(64), midiToHz(67), midiToHz(72),
                       midiToHz(76), midiToHz(72), midiToHz(79)};
  notes(p, hz2, len, 6, 0, h, 0.45f);
  Tone b;
  b.wave = W_TRIANGLE;
  b.env = Env{0.002f, 0.2f, 0.6f, 0.1f};
  addNote(p, 0, 0.45f, midiToHz(48), b, 0.8f);
  addNote(p, at(0.54f), 0.42f, midiToHz(48), b, 0.8f);
  return p;
}

static Pcm extraBomb() {
  Pcm p = silence(0.5f);
  addSweep(p, 0, 0.12f, 240.f, 110.f, W_PULSE, 0.5f, pluck(0.12f), 0.9f);
  Tone c;
  c.duty = 0.125f;
  c.env = Env{0.001f, 0.25f, 0.f, 0.05f};
  addNote(p, at(0.1f), 0.25f, midiToHz(81), c, 0.8f);
  addNote(p, at(0.18f), 0.25f, midiToHz(88), c, 0.7f);
  return p;
}

static Pcm smartBomb() {
  Pcm p = silence(0.95f);
  addNoise(p, 0, 0.35f, 500, 14000, Env{0.3f, 0.05f, 1.f, 0.02f}, 0.8f);
  addNoise(p, at(0.35f), 0.5f, 14000, 600, Env{0.002f, 0.5f, 0.f, 0.05f}, 1.f);
  addSweep(p, at(0.3f), 0.55f, 1400.f, 70.f, W_PULSE, 0.25f, Env{0.002f, 0.55f, 0.f, 0.05f}, 0.6f);
  addSweep(p, at(0.35f), 0.45f, 120.f, 35.f, W_SINE, 0.5f, Env{0.002f, 0.45f, 0.f, 0.05f}, 0.8f);
  lowPass(p, 9000, 1800);
  return p;
}

// Takes away the constant offset that narrow pulses and low noise leave, spread over a smooth
// window so the sound's ends stay at rest.
static void centre(Pcm& p) {
  double sum = 0, wsum = 0;
  std::vector<float> w(p.size());
  for (size_t i = 0; i < p.size(); ++i) {
    float u = (float)i / std::max<size_t>(1, p.size() - 1);
    w[i] = u * (1 - u);
    sum += p[i];
    wsum += w[i];
  }
  if (wsum <= 0) return;
  for (size_t i = 0; i < p.size(); ++i) p[i] -= (float)(sum / wsum) * w[i];
}

std::vector<Sfx> makeSoundEffects() {
  // Peak levels: shots sit well under explosions, and everything under the music's peak.
  std::vector<Sfx> v = {
      {"sounds/toggle_sound.wav", toggleSound(), 0.35f},
      {"sounds/affirm_sound.wav", affirmSound(), 0.42f},
      {"sounds/avatar_gun.wav", avatarGun(), 0.125f},
      {"sounds/enemy_gun.wav", enemyGun(), 0.28f},
      {"sounds/avatar_explode.wav", avatarExplode(), 0.45f},
      {"sounds/enemy_explode.wav", enemyExplode(), 0.44f},
      {"sounds/double_fire.wav", doubleFire(), 0.34f},
      {"sounds/triple_fire.wav", tripleFire(), 0.36f},
      {"sounds/points_500.wav", points500(), 0.42f},
      {"sounds/points_100.wav", points100(), 0.38f},
      {"sounds/health_pack.wav", healthPack(), 0.45f},
      {"sounds/made_leaderboard.wav", madeLeaderboard(), 0.5f},
      {"sounds/extra_bomb.wav", extraBomb(), 0.36f},
      {"sounds/smart_bomb.wav", smartBomb(), 0.58f},
  };
  for (auto& s : v) {
    centre(s.pcm);
    normalise(s.pcm, s.peak);
  }
  return v;
}
