// The fourteen sound effects: menu blips, guns, explosions and pick-up jingles.
#include "sfx.h"

static int at(float sec) { return (int)(sec * RATE); }

static Env pluck(float d) { return Env{0.002f, d, 0.f, 0.01f}; }

static void notes(Pcm& p, const float* hz, const float* len, int n, float start, const Tone& t, float vel) {
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

static Pcm avatarGun() {
    Pcm p = silence(0.12f);
    addSweep(p, 0, 0.1f, 1900.f, 420.f, W_PULSE, 0.125f, pluck(0.1f), 1.f);
    addSweep(p, 0, 0.08f, 950.f, 260.f, W_PULSE, 0.5f, pluck(0.08f), 0.4f);
    addNoise(p, 0, 0.02f, 16000, 8000, pluck(0.02f), 0.35f);
    return p;
}

static Pcm enemyGun() {
    Pcm p = silence(0.16f);
    Env e{0.004f, 0.13f, 0.f, 0.02f};
    addSweep(p, 0, 0.13f, 640.f, 170.f, W_SAW, 0.5f, e, 0.8f);
    addSweep(p, 0, 0.13f, 660.f, 180.f, W_TRIANGLE, 0.5f, e, 0.6f);
    lowPass(p, 5000, 1500);
    return p;
}

static Pcm avatarExplode() {
    Pcm p = silence(0.9f);
    addNoise(p, 0, 0.8f, 9000, 220, Env{0.002f, 0.8f, 0.f, 0.05f}, 1.f);
    addNoise(p, at(0.16f), 0.35f, 2400, 300, Env{0.002f, 0.35f, 0.f, 0.05f}, 0.6f);
    addNoise(p, at(0.34f), 0.3f, 1600, 200, Env{0.002f, 0.3f, 0.f, 0.05f}, 0.4f);
    addSweep(p, 0, 0.5f, 110.f, 28.f, W_SINE, 0.5f, Env{0.002f, 0.5f, 0.f, 0.05f}, 0.9f);
    lowPass(p, 7000, 700);
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
    for (int i = 0; i < 3; ++i) addNote(p, at(0.36f + i * 0.035f), 0.03f, midiToHz(96 + i * 4), s, 0.4f);
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
    const float hz[] = {midiToHz(67), midiToHz(72), midiToHz(76), midiToHz(79), midiToHz(76), midiToHz(84)};
    const float len[] = {0.09f, 0.09f, 0.09f, 0.18f, 0.09f, 0.42f};
    notes(p, hz, len, 6, 0, t, 1.f);
    Tone h = t;
    h.duty = 0.5f;
    const float hz2[] = {midiToHz(64), midiToHz(67), midiToHz(72), midiToHz(76), midiToHz(72), midiToHz(79)};
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

std::vector<Sfx> makeSoundEffects() {
    // Peak levels: shots sit well under explosions, and everything under the music's peak.
    std::vector<Sfx> v = {
        {"sounds/toggle_sound.wav", toggleSound(), 0.35f},  {"sounds/affirm_sound.wav", affirmSound(), 0.42f},
        {"sounds/avatar_gun.wav", avatarGun(), 0.3f},       {"sounds/enemy_gun.wav", enemyGun(), 0.28f},
        {"sounds/avatar_explode.wav", avatarExplode(), 0.5f}, {"sounds/enemy_explode.wav", enemyExplode(), 0.48f},
        {"sounds/double_fire.wav", doubleFire(), 0.34f},    {"sounds/triple_fire.wav", tripleFire(), 0.36f},
        {"sounds/points_500.wav", points500(), 0.42f},      {"sounds/points_100.wav", points100(), 0.38f},
        {"sounds/health_pack.wav", healthPack(), 0.45f},    {"sounds/made_leaderboard.wav", madeLeaderboard(), 0.5f},
        {"sounds/extra_bomb.wav", extraBomb(), 0.36f},      {"sounds/smart_bomb.wav", smartBomb(), 0.58f},
    };
    for (auto& s : v) normalise(s.pcm, s.peak);
    return v;
}
