// Step sequencer and motif-based melody writer for the game's tunes.
#include "music.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "canvas.h"  // Rng

namespace {

struct Note {
    int step;     // 0..15 within the bar
    int len;      // steps
    int degree;   // scale degree relative to the tonic (may be negative or above 7)
};
using Bar = std::vector<Note>;

int degreeToMidi(const Song& s, int degree) {
    int oct = (int)std::floor(degree / 7.0);
    int d = degree - oct * 7;
    return s.root + oct * 12 + s.scale[d];
}

// Nearest chord tone (root, third, fifth of the chord on chordDeg) to a degree.
int snapToChord(int degree, int chordDeg) {
    int best = degree, bestDist = 99;
    for (int o = -2; o <= 2; ++o)
        for (int k : {0, 2, 4}) {
            int c = chordDeg + k + o * 7;
            int d = std::abs(c - degree);
            if (d < bestDist) {
                bestDist = d;
                best = c;
            }
        }
    return best;
}

std::vector<std::pair<int, int>> parseRhythm(const std::string& r) {
    std::vector<std::pair<int, int>> on;
    for (int i = 0; i < 16; ++i)
        if (r[i] == 'x') {
            int len = 1;
            while (i + len < 16 && r[i + len] == '-') ++len;
            on.push_back({i, len});
        }
    return on;
}

// Writes an eight-bar melody for one block kind: bars alternate two motifs, the fourth and
// eighth bars close the phrase; pitches follow the chords.
std::vector<Bar> writeMelody(const Song& s, const std::vector<int>& prog, Rng& rng) {
    std::string r1 = s.rhythms[rng.irange(0, (int)s.rhythms.size() - 1)];
    std::string r2 = s.rhythms[rng.irange(0, (int)s.rhythms.size() - 1)];
    std::vector<int> steps1, steps2;
    for (int i = 0; i < 16; ++i) {
        steps1.push_back(rng.irange(-2, 2));
        steps2.push_back(rng.irange(-2, 2));
    }
    std::vector<Bar> bars;
    int cur = 4;  // start on the fifth
    for (int b = 0; b < 8; ++b) {
        int chord = prog[b % prog.size()];
        Bar bar;
        bool closing = (b % 4) == 3;
        const std::string& r = closing ? std::string("x---x-----------") : ((b % 2) ? r2 : r1);
        const std::vector<int>& mv = (b % 2) ? steps2 : steps1;
        bool invert = s.mirror && b >= 4;
        int i = 0;
        for (auto [st, len] : parseRhythm(r)) {
            int move = mv[i++ % mv.size()];
            if (invert) move = -move;
            cur += move;
            if (st % 4 == 0) cur = snapToChord(cur, chord);
            if (closing && st == 4) cur = snapToChord(b == 7 ? 0 : 4, chord);
            cur = std::clamp(cur, -1, 11);  // keep within the lead's range
            bar.push_back({st, len, cur});
        }
        bars.push_back(bar);
    }
    return bars;
}

struct Mix {
    Pcm lead, harm, arp, bass, drums;
    explicit Mix(size_t n) : lead(n, 0.f), harm(n, 0.f), arp(n, 0.f), bass(n, 0.f), drums(n, 0.f) {}
};

void playBass(const Song& s, Mix& m, int bar0, float stepSec, int chord, int nextChord) {
    int root = degreeToMidi(s, chord) - 24;
    while (root > 50) root -= 12;  // keep the bass between D2 and D3: audible on small speakers
    while (root < 38) root += 12;
    int fifth = root + 7;
    auto hit = [&](int step, int len, int note, float vel) {
        addNote(m.bass, bar0 + (int)(step * stepSec * RATE), len * stepSec * 0.9f, midiToHz((float)note), s.bass, vel);
    };
    switch (s.bassStyle) {
    case 0:
        for (int i = 0; i < 8; ++i) hit(i * 2, 2, (i % 4 == 2 || i == 7) ? root + 12 : root, 1.f);
        break;
    case 1:
        for (int i = 0; i < 4; ++i) hit(i * 4, 3, (i % 2) ? fifth : root, 1.f);
        break;
    case 2: {
        for (int i = 0; i < 7; ++i) hit(i * 2, 2, root, i % 2 ? 0.8f : 1.f);
        int approach = degreeToMidi(s, nextChord) - 24;
        while (approach > root + 6) approach -= 12;
        while (approach < root - 6) approach += 12;
        hit(14, 2, approach + (approach > root ? -1 : 1), 0.9f);
        break;
    }
    default: {
        const int st[] = {0, 3, 6, 8, 12, 14};
        const int nt[] = {root, root, root + 12, root, fifth, root + 12};
        for (int i = 0; i < 6; ++i) hit(st[i], i == 3 ? 3 : 2, nt[i], 1.f);
        break;
    }
    }
}

void playArp(const Song& s, Mix& m, int bar0, float stepSec, int chord, float vel) {
    int tones[4] = {degreeToMidi(s, chord), degreeToMidi(s, chord + 2), degreeToMidi(s, chord + 4), degreeToMidi(s, chord + 7)};
    static const int up[16] = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};
    static const int updown[16] = {0, 1, 2, 3, 2, 1, 0, 1, 2, 3, 2, 1, 0, 1, 2, 3};
    static const int broken[16] = {0, 2, 1, 3, 0, 2, 1, 3, 2, 0, 3, 1, 2, 0, 3, 1};
    const int* pat = s.arpStyle == 0 ? up : (s.arpStyle == 1 ? updown : broken);
    for (int i = 0; i < 16; ++i)
        addNote(m.arp, bar0 + (int)(i * stepSec * RATE), stepSec * 0.6f, midiToHz((float)tones[pat[i]]), s.arp,
                vel * (i % 4 == 0 ? 1.f : 0.75f));
}

void playDrums(const Song& s, Mix& m, int bar0, float stepSec, bool fill, bool sparse) {
    for (int i = 0; i < 16; ++i) {
        int at = bar0 + (int)(i * stepSec * RATE);
        bool inFill = fill && i >= 12;
        if (s.kick[i] == 'x' && !(sparse && i % 8)) addKick(m.drums, at, 1.f);
        if (inFill)
            addSnare(m.drums, at, 0.55f + 0.12f * (i - 12));
        else if (s.snare[i] == 'x' && !sparse)
            addSnare(m.drums, at, 1.f);
        if (s.hat[i] == 'x') addHat(m.drums, at, i % 4 == 0 ? 1.f : 0.7f, false);
        if (s.hat[i] == 'o') addHat(m.drums, at, 0.8f, true);
    }
}

}  // namespace

Pcm renderSong(const Song& s) {
    float stepSec = 60.f / s.bpm / 4.f;
    int barSamples = (int)std::lround(16 * stepSec * RATE);
    int bars = (int)s.form.size() * 4;
    Mix m((size_t)barSamples * bars + RATE);  // one spare second for release tails

    Rng rng(s.seed);
    std::map<char, std::vector<Bar>> melodies;
    melodies['A'] = writeMelody(s, s.progA, rng);
    melodies['B'] = writeMelody(s, s.progB, rng);

    int bar = 0;
    for (size_t blk = 0; blk < s.form.size(); ++blk) {
        char kind = s.form[blk];
        const std::vector<int>& prog = kind == 'B' ? s.progB : s.progA;
        // Second time through a block the lead sits an octave higher for lift.
        int lift = (kind == 'A' && std::count(s.form.begin(), s.form.begin() + blk, 'A') >= 2) ? 7 : 0;
        for (int b = 0; b < 4; ++b, ++bar) {
            int bar0 = bar * barSamples;
            int half = (int)(std::count(s.form.begin(), s.form.begin() + blk, kind) % 2);
            int within = b + 4 * half;  // position in the eight-bar phrase
            int chord = prog[within % prog.size()];
            int nextChord = prog[(within + 1) % prog.size()];
            bool lastOfBlock = b == 3;
            playBass(s, m, bar0, stepSec, chord, nextChord);
            if (kind != 'B' || s.arpStyle != 2) playArp(s, m, bar0, stepSec, chord, kind == 'C' ? 1.f : 0.8f);
            if (kind != 'C') playDrums(s, m, bar0, stepSec, lastOfBlock, kind == 'I' && b < 2);
            if (kind == 'C') {
                // Breakdown: the chord held as a soft pad instead of the drums.
                Tone pad = s.lead;
                pad.env = Env{0.3f, 0.5f, 0.6f, 0.4f};
                pad.duty = 0.5f;
                for (int k : {0, 2, 4})
                    addNote(m.harm, bar0, 16 * stepSec * 0.9f, midiToHz((float)degreeToMidi(s, chord + k)), pad, 0.5f);
                if (lastOfBlock) playDrums(s, m, bar0, stepSec, true, true);
            }
            if (kind == 'A' || kind == 'B') {
                for (const Note& n : melodies[kind][within]) {
                    int at = bar0 + (int)(n.step * stepSec * RATE);
                    float gate = n.len * stepSec * 0.85f;
                    int note = degreeToMidi(s, n.degree + lift);
                    int fold = note > 86 ? 12 : 0;  // keep the lead out of the shrill top octave
                    addNote(m.lead, at, gate, midiToHz((float)(note - fold)), s.lead, 1.f);
                    if (s.harmony && kind == 'B')
                        addNote(m.harm, at, gate, midiToHz((float)(degreeToMidi(s, n.degree + lift - 2) - fold)), s.lead, 0.55f);
                }
            }
        }
    }
    if (s.echoWet > 0) echo(m.lead, s.echoSec, s.echoFeedback, s.echoWet);
    Pcm out(m.lead.size(), 0.f);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = 0.22f * m.lead[i] + 0.15f * m.harm[i] + 0.16f * m.arp[i] + 0.36f * m.bass[i] + 0.46f * m.drums[i];
    // The release tail past the last bar folds back onto the start so the tune loops cleanly.
    size_t len = (size_t)barSamples * bars;
    for (size_t i = len; i < out.size(); ++i) out[i - len] += out[i];
    out.resize(len);
    lowPass(out, 9000, 9000);
    // Every tune sits at the same loudness (RMS about -16 dBFS); a soft knee above 0.65 keeps
    // the drum peaks under 0.9 so the encoded file never clips.
    float gain = 0.16f / std::max(1e-6f, rmsOf(out));
    for (float& v : out) {
        v *= gain;
        float a = std::fabs(v);
        if (a > 0.65f) v = std::copysign(0.65f + 0.25f * std::tanh((a - 0.65f) / 0.25f), v);
    }
    return out;
}
