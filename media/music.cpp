// The composer: writes bass, chords, arpeggios, melody, counter-line and drums section by
// section, then mixes, removes the offset, levels and fades the tune.
#include "music.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "canvas.h"  // Rng

namespace {

// A theme's material: two one-bar rhythms and two runs of melodic steps (scale degrees).
struct Motif {
  std::string r1, r2;
  int steps1[16], steps2[16];
  int start;
};

struct Composer {
  const Song& s;
  int steps;       // steps per bar
  double stepLen;  // samples per step
  Stereo out, bus;
  Rng rng;
  std::map<char, Motif> motifs;
  std::map<char, int> heard;  // statements of each theme so far
  int counterNote = 0, barIndex = 0;
  Section sec;
  int bar = 0, variation = 0;

  Composer(const Song& song, size_t samples)
      : s(song),
        steps(song.beats * 4),
        stepLen(RATE * 60.0 / song.bpm / 4),
        out(samples),
        bus(samples),
        rng(song.seed) {}

  int at(int step) const { return (int)((double)(barIndex * steps + step) * stepLen); }
  float sec_(int nsteps) const { return (float)(nsteps * stepLen / RATE); }

  int midi(int degree) const {
    int oct = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    return s.root + sec.transpose + oct * 12 + s.scale[degree - oct * 7];
  }
  int chordAt(int b) const { return sec.chords[b % sec.chords.size()]; }

  void note(Part p, int step, int len, int degreeOrMidi, float vel, bool isMidi = false,
            float gateShare = 0.85f) {
    int m = isMidi ? degreeOrMidi : midi(degreeOrMidi);
    playNote(out, bus, at(step), sec_(len) * gateShare, m, vel, s.voice[p]);
  }

  Motif& motifFor(char theme) {
    auto it = motifs.find(theme);
    if (it != motifs.end()) return it->second;
    Motif m;
    int pick = rng.irange(0, (int)s.rhythms.size() - 1);
    m.r1 = s.rhythms[pick];
    pick = rng.irange(0, (int)s.rhythms.size() - 1);
    m.r2 = s.rhythms[pick];
    if (m.r2 == m.r1) m.r2 = s.rhythms[(pick + 1) % s.rhythms.size()];
    for (int i = 0; i < 16; ++i) m.steps1[i] = rng.irange(-2, 2);
    for (int i = 0; i < 16; ++i) m.steps2[i] = rng.irange(-3, 3);
    m.start = rng.irange(2, 4);
    return motifs[theme] = m;
  }

  // Nearest tone of the chord on chordDeg to a degree.
  static int snap(int degree, int chordDeg) {
    int best = degree, dist = 99;
    for (int o = -3; o <= 3; ++o)
      for (int k : {0, 2, 4}) {
        int c = chordDeg + k + o * 7;
        if (std::abs(c - degree) < dist) {
          dist = std::abs(c - degree);
          best = c;
        }
      }
    return best;
  }

  void melodyBar(int b, int& cur, int lift) {
    const Motif& m = motifFor(sec.theme == 'R' || sec.theme == 'O' ? 'A' : sec.theme);
    int p = b % 8, chord = chordAt(b);
    bool last = b == sec.bars - 1, closing = p == 7 || last;
    std::string r = p % 2 ? m.r2 : m.r1;
    if (closing) r = "x" + std::string(steps / 2 - 1, '-') + "x" + std::string(steps / 2 - 1, '-');
    if (sec.theme == 'R') r = m.r1;
    const int* mv = p % 2 ? m.steps2 : m.steps1;
    bool invert = (variation % 2 == 1) && p >= 4;
    if (p == 0) cur = m.start + (sec.theme == 'R' ? b / 2 : 0);
    if (p == 2 || p == 3) cur += 1;  // the second pair of bars answers a step higher
    int i = 0;
    for (int st = 0; st < steps; ++st) {
      if (r[st] != 'x') continue;
      int len = 1;
      while (st + len < steps && r[st + len] == '-') ++len;
      int move = mv[i++ % 16];
      cur += invert ? -move : move;
      if (st % 4 == 0) cur = snap(cur, chord);
      if (closing && st > 0) cur = snap(last && (sec.theme == 'O' || b % 8 == 7) ? 7 : 4, chord);
      cur = std::clamp(cur, 0, 11);
      // Returning themes grow ornaments: a long note splits into a turn.
      if (variation >= 1 && len >= 4 && !closing) {
        note(LEAD, st, 1, cur + 1 + lift, 0.8f);
        note(LEAD, st + 1, len - 1, cur + lift, 1.f);
      } else {
        note(LEAD, st, len, cur + lift, 1.f);
      }
      if (s.harmony && sec.energy >= 3) note(COUNTER, st, len, cur + lift - 2, 0.7f);
    }
  }

  void counterBar(int b) {
    // A slow line of chord tones, each the nearest to the last: one note per half bar.
    int half = steps / 2;
    for (int h = 0; h < 2; ++h) {
      int target = snap(counterNote + (h ? 1 : -1), chordAt(b));
      counterNote = std::clamp(target, -5, 4);
      note(COUNTER, h * half, half, counterNote, 0.65f, false, 0.95f);
    }
  }

  void padBar(int b, float vel, int holdBars) {
    int chord = chordAt(b);
    for (int k : {0, 2, 4}) {
      int m = midi(chord + k);
      while (m >= s.root - 2) m -= 12;  // fold every tone into the octave under the lead
      while (m < s.root - 14) m += 12;
      note(PAD, 0, steps * holdBars, m, vel, true, 0.97f);
    }
  }

  void compBar(int b, bool sparse) {
    int chord = chordAt(b);
    int tones[4] = {midi(chord), midi(chord + 2), midi(chord + 4), midi(chord + 7)};
    static const int UP[4] = {0, 1, 2, 3}, UPDOWN[6] = {0, 1, 2, 3, 2, 1},
                     BROKEN[8] = {0, 2, 1, 3, 0, 2, 1, 2};
    for (int st = 0; st < steps; ++st) {
      switch (s.compStyle) {
        case 0:
          if (!sparse || st % 2 == 0)
            note(COMP, st, 1, tones[UP[st % 4]], st % 4 ? 0.7f : 1.f, true, 0.7f);
          break;
        case 1:
          if (st % 2 == 0 && (!sparse || st % 4 == 0))
            note(COMP, st, 2, tones[UPDOWN[(st / 2) % 6]], 0.85f, true, 0.6f);
          break;
        case 2:
          if (st % 4 == 2 && (!sparse || st % 8 == 2))
            for (int k = 0; k < 3; ++k) note(COMP, st, 1, tones[k], 0.6f, true, 1.2f);
          break;
        default:
          if (st % 2 == 0 && (!sparse || st % 4 == 0))
            note(COMP, st, 2, tones[BROKEN[(st / 2) % 8]], 0.85f, true, 0.8f);
          break;
      }
    }
  }

  void bassBar(int b) {
    int root = midi(chordAt(b));
    while (root > s.root - 19) root -= 12;  // the bass sits two octaves under the lead
    while (root < s.root - 31) root += 12;
    int fifth = root + 7, next = midi(chordAt(b + 1));
    while (next > root + 6) next -= 12;
    while (next < root - 6) next += 12;
    int style = sec.energy <= 1 ? 4 : s.bassStyle;
    for (int st = 0; st < steps; ++st) {
      int beat = st / 4;
      switch (style) {
        case 0:
          if (st % 2 == 0) note(BASS, st, 2, (st / 2) % 2 ? root + 12 : root, 1.f, true);
          break;
        case 1:
          if (st % 4 == 0) note(BASS, st, 3, beat % 2 ? fifth : root, 1.f, true);
          break;
        case 2:
          if (st % 2 == 0)
            note(BASS, st, 2, st == steps - 2 ? next + (next > root ? -1 : 1) : root,
                 st % 4 ? 0.8f : 1.f, true);
          break;
        case 3:
          if (st == 0 || st == 3 || st == 6 || st == 8 || st == steps - 4 || st == steps - 2)
            note(BASS, st, 2,
                 st == 6 || st == steps - 2 ? root + 12 : (st == steps - 4 ? fifth : root), 1.f,
                 true);
          break;
        default:
          if (st == 0) note(BASS, 0, steps, root, 0.9f, true, 0.95f);
          break;
      }
    }
  }

  void drumBar(int b) {
    float g = s.drumGain;
    int e = sec.energy;
    bool fill = b == sec.bars - 1 && e >= 2 && sec.theme != 'O';
    if (sec.theme == 'R') {
      // The build: kicks on every beat under a snare roll that doubles its pace each quarter.
      float rise = (float)(b + 1) / sec.bars;
      int every = b < sec.bars / 2 ? 4 : (b < sec.bars * 3 / 4 ? 2 : 1);
      for (int st = 0; st < steps; ++st) {
        if (st % 4 == 0) playDrum(out, at(st), D_KICK, g * 0.9f, 0);
        if (st % every == 0) playDrum(out, at(st), D_SNARE, g * (0.3f + 0.5f * rise), 0.15f);
        if (st % 2 == 0) playDrum(out, at(st), D_HAT, g * 0.5f, -0.4f);
      }
      return;
    }
    if (b == 0 && e >= 4) playDrum(out, at(0), D_CRASH, g * 0.7f, 0.5f);
    for (int st = 0; st < steps; ++st) {
      bool inFill = fill && st >= steps - 4;
      char k = s.kick[st], sn = s.snare[st], h = s.hat[st];
      if (e == 1) {
        if (st == 0) playDrum(out, at(st), D_KICK, g * 0.8f, 0);
        if (st % 4 == 0) playDrum(out, at(st), D_HAT, g * 0.4f, -0.4f);
        continue;
      }
      if (k == 'x' && (e >= 3 || st % 4 == 0)) playDrum(out, at(st), D_KICK, g, 0);
      if (e >= 4 && st == steps - 2 && k != 'x') playDrum(out, at(st), D_KICK, g * 0.7f, 0);
      if (inFill) {
        int i = st - (steps - 4);
        playDrum(out, at(st), i % 2 ? D_SNARE : D_TOM, g * (0.55f + 0.12f * i),
                 i % 2 ? 0.15f : 0.4f - 0.25f * i, 1.f - 0.15f * i);
      } else if (sn == 'x') {
        playDrum(out, at(st), e >= 4 && st % 8 == 4 ? D_CLAP : D_SNARE, g * (e >= 3 ? 1.f : 0.7f),
                 0.15f);
      }
      if (h == 'x' && (e >= 3 || st % 2 == 0))
        playDrum(out, at(st), D_HAT, g * (st % 4 ? 0.45f : 0.65f), -0.4f);
      if (h == 'o' && e >= 3) playDrum(out, at(st), D_OPEN_HAT, g * 0.5f, -0.4f);
    }
  }

  void section(const Section& next) {
    sec = next;
    variation = heard[sec.theme]++;
    int lift = (variation >= 2 && sec.theme != 'O') ? 7 : 0;
    int cur = 0;
    for (int b = 0; b < sec.bars; ++b, ++barIndex) {
      bool final = sec.theme == 'O' && b == sec.bars - 1;
      if (final) {
        // The last chord rings on: tonic everywhere, a low note and a crash.
        padBar(b, 0.9f, 3);
        note(LEAD, 0, steps * 2, 7, 1.f);
        note(BASS, 0, steps * 2, midi(0) - 24, 1.f, true);
        note(COUNTER, 0, steps * 2, 2, 0.6f);
        playDrum(out, at(0), D_KICK, s.drumGain, 0);
        playDrum(out, at(0), D_CRASH, s.drumGain * 0.8f, 0.5f);
        continue;
      }
      padBar(b, sec.energy <= 1 ? 0.8f : 0.55f, 1);
      if (sec.energy >= 2 || (sec.energy == 1 && sec.theme != 'I')) compBar(b, sec.energy <= 2);
      if (sec.energy >= 1 || sec.theme == 'O') bassBar(b);
      if (sec.theme != 'I' && (sec.energy >= 1 || sec.theme == 'O')) melodyBar(b, cur, lift);
      if (!s.harmony || sec.energy < 3) {
        if (sec.energy >= 2 && sec.theme != 'R') counterBar(b);
      }
      drumBar(b);
    }
  }
};

}  // namespace

float barSeconds(const Song& s) { return 60.f / s.bpm * s.beats; }

float sectionStart(const Song& s, char theme) {
  int bars = 0;
  for (const Section& sec : s.form) {
    if (sec.theme == theme) return bars * barSeconds(s);
    bars += sec.bars;
  }
  return -1;
}

std::string songFault(const Song& s) {
  if (s.scale.size() != 7) return "the scale is not seven notes";
  if (s.beats != 3 && s.beats != 4) return "a bar is not 3 or 4 beats";
  if (!(s.bpm > 0)) return "the tempo is not above 0";
  if (s.rhythms.empty()) return "there are no melody rhythms";
  if (s.form.empty()) return "the form has no sections";
  size_t steps = static_cast<size_t>(s.beats) * 4;
  // The composer reads every string one step per index across the whole bar.
  for (const std::string& r : s.rhythms) {
    if (r.size() != steps) return "the rhythm \"" + r + "\" is not one bar";
  }
  const std::pair<const char*, const std::string*> grooves[] = {
      {"kick", &s.kick}, {"snare", &s.snare}, {"hat", &s.hat}};
  for (auto [name, groove] : grooves) {
    if (groove->size() != steps) return std::string("the ") + name + " groove is not one bar";
  }
  for (const Section& sec : s.form) {
    if (sec.bars < 1 || sec.chords.empty()) return "a section has no bars or no chords";
  }
  return "";
}

Stereo renderSong(const Song& s) {
  std::string fault = songFault(s);
  if (!fault.empty()) {
    fprintf(stderr, "mediagen: %s cannot be rendered: %s\n", s.file.c_str(), fault.c_str());
    std::_Exit(EXIT_FAILURE);  // other tunes may be rendering on other threads
  }
  int bars = 0;
  for (const Section& sec : s.form) bars += sec.bars;
  // The last chord is held two bars, then rings out; the tune ends in silence.
  double bar = RATE * 60.0 / s.bpm * s.beats;
  size_t total = (size_t)((bars + 2) * bar) + 3 * RATE;
  Composer c(s, total);
  for (const Section& sec : s.form) c.section(sec);

  pingPongEcho(c.bus, (int)(s.echoBeats * RATE * 60.0 / s.bpm), s.echoFeedback, 0.5f);
  Stereo& mix = c.out;
  for (size_t i = 0; i < total; ++i) {
    mix.l[i] += 0.6f * c.bus.l[i];
    mix.r[i] += 0.6f * c.bus.r[i];
  }
  dcBlock(mix.l);
  dcBlock(mix.r);
  float rms = 0.5f * (rmsOf(mix.l) + rmsOf(mix.r));
  float gain = s.loudness / std::max(1e-6f, rms);
  // Fade the last four seconds so the final chord's release ends in silence.
  size_t fade = 4 * RATE;
  for (size_t i = 0; i < total; ++i) {
    float f = i + fade > total ? (float)(total - i) / fade : 1.f;
    mix.l[i] *= gain * f;
    mix.r[i] *= gain * f;
  }
  // Vorbis overshoots sharp peaks by up to 2 dB, so the limiter leaves that much room.
  softLimit(mix.l, 0.55f, 0.8f);
  softLimit(mix.r, 0.55f, 0.8f);
  return mix;
}
