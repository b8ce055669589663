// The composer: a tune is a plan of sections (intro, themes, breakdowns, a build towards the
// boss, climax and ending) over its own key, tempo, metre, voices and drum grooves; the parts
// of every section are written from seeded motifs, varied each time a theme returns.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "voices.h"

struct Section {
  char theme = 'A';  // melody material: 'A'..'E' themes, 'I' intro, 'R' build, 'O' ending
  int bars = 0;
  std::vector<int> chords;  // chord roots as scale degrees, one per bar (cycled)
  int energy = 0;           // 0 pads only .. 4 every part with the busiest drums
  int transpose = 0;        // semitones: a lift for the last choruses
};

enum Part { LEAD, COUNTER, PAD, COMP, BASS, PARTS };

// Every field has a default, so a song that leaves one out still renders from known values;
// what a song cannot do without (its scale, rhythms, grooves and form) fails songFault.
struct Song {
  std::string file;
  const char* mood = "";
  float bpm = 120;
  int beats = 4;           // beats to the bar (3 or 4), four steps each
  int root = 60;           // MIDI note of the tonic in the lead's octave
  std::vector<int> scale;  // seven semitone offsets
  Instrument voice[PARTS];
  int bassStyle = 0;     // 0 octaves, 1 root-fifth, 2 driving with approach notes, 3 syncopated,
                         // 4 long notes
  int compStyle = 0;     // 0 rising arpeggio, 1 up-down arpeggio, 2 off-beat stabs, 3 broken chord
  bool harmony = false;  // the counter part doubles the lead a third below in full sections
  std::vector<std::string> rhythms;  // one-bar melody rhythms: 'x' note, '-' hold, '.' rest
  std::string kick, snare, hat;      // the fullest groove, one bar of steps ('o' open hat)
  float drumGain = 0.5f;
  float echoBeats = 0.5f, echoFeedback = 0.3f;  // echo delay in beats
  float loudness = 0.12f;                       // RMS of the finished tune (full scale 1)
  std::vector<Section> form;
  uint64_t seed = 1;
};

std::vector<Song> allSongs();
float barSeconds(const Song& s);
// Seconds from the start to the first section of the given theme (-1 when there is none).
float sectionStart(const Song& s, char theme);
// What makes a song unplayable, in a few words ("" for none): a scale that is not seven
// notes, a metre other than 3 or 4 beats, a tempo of 0, a rhythm or drum bar whose length
// is not the bar's steps, no rhythms, an empty form or a section without chords or bars.
std::string songFault(const Song& s);
// The whole tune, stereo at RATE, levelled to its loudness and free of any constant offset.
// A song with a fault is not rendered: the generator says which and exits with status 1.
Stereo renderSong(const Song& s);
