// A small step sequencer: each tune is a style (tempo, key, chord progressions, drum and bass
// patterns, voices) plus a song order of four-bar blocks; melodies come from seeded motifs.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "synth.h"

struct Song {
    std::string file;
    float bpm;
    int root;                      // MIDI note of the key's tonic, in the lead's octave
    std::vector<int> scale;        // seven semitone offsets
    std::vector<int> progA, progB; // chord roots as scale degrees, one per bar (cycled)
    std::vector<std::string> rhythms;  // 16-step melody rhythms: 'x' note, '-' hold, '.' rest
    std::string kick, snare, hat;      // 16 steps: 'x' hit ('o' open hat on the hat row)
    int bassStyle;                 // 0 octave eighths, 1 root-fifth quarters, 2 driving, 3 syncopated
    int arpStyle;                  // 0 up, 1 up-down, 2 broken
    bool harmony;                  // parallel third under the lead in B blocks
    bool mirror;                   // second half of each phrase answers with inverted steps
    float echoSec, echoFeedback, echoWet;
    Tone lead, arp, bass;
    std::string form;              // blocks of four bars: I intro, A verse, B chorus, C breakdown
    uint64_t seed;
};

std::vector<Song> allSongs();
// Renders a whole tune to mono PCM, peak-normalised.
Pcm renderSong(const Song& s);
