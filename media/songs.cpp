// The five tunes: each its own key, tempo, metre, voices, grooves and form. Every form builds
// towards the level's boss from about two minutes in, builds again for a long boss fight
// and ends on a held tonic chord, six and a half minutes or so after it began.
#include "music.h"

namespace {

const std::vector<int> MAJOR = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> MINOR = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> HARMONIC_MINOR = {0, 2, 3, 5, 7, 8, 11};

Instrument voice(Timbre t, Env e, float pan, float gain, float tone = 1.f) {
  Instrument in;
  in.timbre = t;
  in.env = e;
  in.pan = pan;
  in.gain = gain;
  in.tone = tone;
  return in;
}

Instrument pulse(float duty, Env e, float pan, float gain, float tone = 1.f) {
  Instrument in = voice(T_PULSE, e, pan, gain, tone);
  in.duty = duty;
  return in;
}

Instrument fm(float ratio, float depth, Env e, float pan, float gain) {
  Instrument in = voice(T_FM, e, pan, gain);
  in.fmRatio = ratio;
  in.fmDepth = depth;
  return in;
}

Instrument withVibrato(Instrument in, float depth, float rate, float send) {
  in.vibDepth = depth;
  in.vibRate = rate;
  in.send = send;
  return in;
}

Instrument chorus(Instrument in, float detune) {
  in.detune = detune;
  return in;
}

// Slow and wide: a bell over a warm string pad, long echoes, sparse drums.
Song echohall() {
  Song s;
  s.file = "music/echohall.ogg";
  s.mood = "brooding, spacious";
  s.bpm = 84;
  s.beats = 4;
  s.root = 62;  // D minor
  s.scale = MINOR;
  s.voice[LEAD] = withVibrato(fm(3.5f, 0.35f, Env{0.004f, 0.6f, 0.35f, 0.5f}, -0.25f, 0.5f), 0.004f,
                              4.5f, 0.5f);
  s.voice[COUNTER] =
      withVibrato(voice(T_SINE, Env{0.08f, 0.3f, 0.7f, 0.4f}, 0.55f, 0.3f), 0.005f, 5.f, 0.3f);
  s.voice[PAD] = chorus(voice(T_SAW, Env{0.6f, 0.8f, 0.7f, 0.9f}, 0.f, 0.14f, 0.06f), 0.006f);
  s.voice[COMP] =
      withVibrato(voice(T_TRIANGLE, Env{0.003f, 0.25f, 0.f, 0.1f}, 0.6f, 0.22f), 0, 5, 0.35f);
  s.voice[BASS] = voice(T_TRIANGLE, Env{0.01f, 0.4f, 0.8f, 0.15f}, 0.f, 0.55f);
  s.bassStyle = 1;
  s.compStyle = 0;
  s.harmony = false;
  s.rhythms = {"x-----x-x-------", "x---x---x-x-x---", "x-x---x-----x---", "x-------x---x-x-"};
  s.kick = "x.........x.....";
  s.snare = "....x.......x...";
  s.hat = "x.x.x.x.x.x.x.xo";
  s.drumGain = 0.55f;
  s.echoBeats = 0.75f;
  s.echoFeedback = 0.45f;
  s.loudness = 0.13f;
  const std::vector<int> A = {0, 5, 2, 6}, B = {3, 0, 5, 4}, C = {5, 3, 0, 4}, D = {0, 3, 6, 2};
  s.form = {{'I', 6, {0, 0, 5, 5}, 0},
            {'A', 8, A, 1},
            {'A', 8, A, 2},
            {'B', 8, B, 2},
            {'C', 4, C, 1},
            {'A', 8, A, 3},
            {'R', 8, {3, 4}, 3},
            {'B', 8, B, 4},
            {'D', 8, D, 3},
            {'C', 4, C, 1},
            {'B', 8, B, 4, 2},
            {'A', 8, A, 4, 2},
            {'C', 8, C, 2, 2},
            {'R', 8, {3, 4}, 3, 2},
            {'A', 8, A, 4, 2},
            {'D', 8, D, 4, 2},
            {'B', 8, B, 4, 2},
            {'O', 6, {5, 6, 4, 4, 0, 0}, 2, 2}};
  s.seed = 101;
  return s;
}

// Driving dance tune: four on the floor, octave saw bass, bright pulse arpeggios.
Song electro() {
  Song s;
  s.file = "music/electro.ogg";
  s.mood = "driving, urgent";
  s.bpm = 138;
  s.beats = 4;
  s.root = 69;  // A minor
  s.scale = MINOR;
  s.voice[LEAD] =
      withVibrato(chorus(pulse(0.5f, Env{0.003f, 0.12f, 0.6f, 0.08f}, 0.2f, 0.34f, 0.5f), 0.005f),
                  0.003f, 6, 0.25f);
  s.voice[COUNTER] = voice(T_SAW, Env{0.02f, 0.2f, 0.6f, 0.1f}, -0.5f, 0.2f, 0.25f);
  s.voice[PAD] = chorus(voice(T_SAW, Env{0.2f, 0.5f, 0.6f, 0.3f}, 0.f, 0.12f, 0.08f), 0.008f);
  s.voice[COMP] =
      withVibrato(pulse(0.125f, Env{0.001f, 0.09f, 0.f, 0.04f}, -0.6f, 0.2f), 0, 5, 0.3f);
  s.voice[BASS] = voice(T_SAW, Env{0.003f, 0.12f, 0.7f, 0.04f}, 0.f, 0.42f, 0.18f);
  s.bassStyle = 0;
  s.compStyle = 1;
  s.harmony = true;
  s.rhythms = {"x-x-.x-x-.x-x-x.", "x.x.x.x-x-x.x---", "x--x--x-x--x--x-", "x-x-x---x-x-x---"};
  s.kick = "x...x...x...x...";
  s.snare = "....x.......x...";
  s.hat = "x.o.x.o.x.o.x.ox";
  s.drumGain = 0.7f;
  s.echoBeats = 0.75f;
  s.echoFeedback = 0.25f;
  s.loudness = 0.145f;
  const std::vector<int> A = {0, 0, 5, 6}, B = {5, 6, 0, 4}, C = {3, 3, 0, 0}, D = {0, 6, 5, 6},
                         E = {5, 3, 0, 4};
  s.form = {{'I', 8, {0, 0, 5, 6}, 1},
            {'A', 8, A, 2},
            {'A', 8, A, 3},
            {'B', 8, B, 3},
            {'B', 8, B, 4},
            {'C', 12, C, 1},
            {'A', 8, A, 3},
            {'D', 8, D, 3},
            {'R', 8, {5, 6}, 3},
            {'B', 8, B, 4, 2},
            {'D', 8, D, 4, 2},
            {'E', 8, E, 3},
            {'C', 8, C, 1},
            {'A', 8, A, 4},
            {'E', 8, E, 4},
            {'B', 8, B, 4},
            {'C', 8, C, 1},
            {'D', 8, D, 2},
            {'A', 8, A, 3},
            {'R', 8, {5, 6}, 3},
            {'B', 8, B, 4, 2},
            {'E', 8, E, 4, 2},
            {'D', 8, D, 4, 2},
            {'A', 8, A, 4},
            {'C', 8, C, 3},
            {'E', 8, E, 4},
            {'O', 8, {5, 6, 3, 4, 5, 6, 4, 0}, 3}};
  s.seed = 202;
  return s;
}

// Bright adventure in a major key: singing pulse lead with a harmony, organ chords.
Song vision() {
  Song s;
  s.file = "music/vision.ogg";
  s.mood = "bright, adventurous";
  s.bpm = 116;
  s.beats = 4;
  s.root = 67;  // G major
  s.scale = MAJOR;
  s.voice[LEAD] = withVibrato(pulse(0.25f, Env{0.005f, 0.15f, 0.65f, 0.1f}, -0.2f, 0.32f, 0.6f),
                              0.006f, 5.5f, 0.2f);
  s.voice[COUNTER] = pulse(0.5f, Env{0.005f, 0.15f, 0.6f, 0.1f}, 0.45f, 0.2f, 0.4f);
  s.voice[PAD] = voice(T_ORGAN, Env{0.05f, 0.3f, 0.8f, 0.2f}, 0.1f, 0.13f, 0.5f);
  s.voice[COMP] = voice(T_TRIANGLE, Env{0.002f, 0.2f, 0.f, 0.06f}, -0.55f, 0.3f);
  s.voice[BASS] = voice(T_TRIANGLE, Env{0.003f, 0.15f, 0.8f, 0.05f}, 0.f, 0.6f);
  s.bassStyle = 3;
  s.compStyle = 3;
  s.harmony = true;
  s.rhythms = {"x--x--x-x-x-x---", "x-x-x---x--x-x--", "x---x-x-x-x-x-x-", "x--x--x---x-x---"};
  s.kick = "x.....x.x.......";
  s.snare = "....x.......x...";
  s.hat = "x.x.x.x.x.x.x.x.";
  s.drumGain = 0.6f;
  s.echoBeats = 0.75f;
  s.echoFeedback = 0.3f;
  s.loudness = 0.15f;
  const std::vector<int> A = {0, 4, 5, 3}, B = {3, 4, 2, 5}, C = {5, 3, 0, 4}, D = {0, 3, 4, 4},
                         E = {1, 4, 0, 5};
  s.form = {{'I', 4, {0, 3, 4, 4}, 1},
            {'A', 8, A, 2},
            {'B', 8, B, 3},
            {'A', 8, A, 3},
            {'C', 8, C, 1},
            {'D', 8, D, 3},
            {'B', 8, B, 4},
            {'E', 4, E, 2},
            {'R', 8, {3, 4}, 3},
            {'A', 8, A, 4, 2},
            {'B', 8, B, 4, 2},
            {'D', 8, D, 3, 2},
            {'C', 8, C, 2, 2},
            {'E', 8, E, 3, 2},
            {'B', 8, B, 4, 2},
            {'C', 8, C, 1, 2},
            {'D', 8, D, 2, 2},
            {'R', 8, {3, 4}, 3, 2},
            {'A', 8, A, 4, 2},
            {'E', 8, E, 3, 2},
            {'D', 8, D, 4, 2},
            {'C', 8, C, 3, 2},
            {'A', 8, A, 4, 2},
            {'O', 6, {3, 4, 5, 3, 4, 0}, 3, 2}};
  s.seed = 303;
  return s;
}

// A mysterious waltz in harmonic minor: electric-piano lead, bell arpeggios, soft drums.
Song mirrorimage() {
  Song s;
  s.file = "music/mirrorimage.ogg";
  s.mood = "mysterious, swaying";
  s.bpm = 120;
  s.beats = 3;
  s.root = 66;  // F sharp harmonic minor
  s.scale = HARMONIC_MINOR;
  s.voice[LEAD] =
      withVibrato(fm(1.f, 0.3f, Env{0.003f, 0.4f, 0.5f, 0.25f}, 0.25f, 0.42f), 0.005f, 5, 0.35f);
  s.voice[COUNTER] =
      withVibrato(voice(T_SINE, Env{0.05f, 0.3f, 0.7f, 0.3f}, -0.5f, 0.32f), 0.006f, 4.f, 0.2f);
  s.voice[PAD] = chorus(voice(T_TRIANGLE, Env{0.4f, 0.5f, 0.7f, 0.6f}, 0.f, 0.18f, 0.3f), 0.005f);
  s.voice[COMP] =
      withVibrato(fm(3.f, 0.2f, Env{0.002f, 0.3f, 0.f, 0.15f}, -0.6f, 0.2f), 0, 5, 0.4f);
  s.voice[BASS] = voice(T_TRIANGLE, Env{0.004f, 0.2f, 0.7f, 0.08f}, 0.f, 0.55f);
  s.bassStyle = 2;
  s.compStyle = 3;
  s.harmony = false;
  s.rhythms = {"x--x--x---x-", "x-x-x-x-----", "x---x--x--x-", "x-----x-x-x-"};
  s.kick = "x.....x.....";
  s.snare = "....x...x...";
  s.hat = "x.x.xxx.x.xo";
  s.drumGain = 0.5f;
  s.echoBeats = 1.5f;
  s.echoFeedback = 0.35f;
  s.loudness = 0.135f;
  const std::vector<int> A = {0, 3, 4, 0}, B = {5, 2, 3, 4}, C = {0, 5, 3, 4}, D = {3, 4, 0, 5},
                         E = {5, 4, 3, 4};
  s.form = {{'I', 8, {0, 0, 4, 4}, 0},
            {'A', 8, A, 1},
            {'A', 8, A, 2},
            {'B', 8, B, 2},
            {'C', 8, C, 3},
            {'A', 8, A, 3},
            {'D', 8, D, 1},
            {'B', 8, B, 3},
            {'E', 8, E, 2},
            {'C', 8, C, 3},
            {'R', 8, {3, 4}, 3},
            {'D', 8, D, 4},
            {'B', 8, B, 4},
            {'C', 8, C, 4},
            {'E', 8, E, 2},
            {'D', 8, D, 3},
            {'A', 8, A, 4},
            {'C', 8, C, 4},
            {'B', 8, B, 4},
            {'E', 8, E, 1},
            {'C', 8, C, 2},
            {'D', 8, D, 2},
            {'R', 8, {3, 4}, 3},
            {'A', 8, A, 4},
            {'E', 8, E, 3},
            {'B', 8, B, 4},
            {'D', 8, D, 4},
            {'C', 8, C, 3},
            {'A', 8, A, 4},
            {'E', 8, E, 4},
            {'B', 8, B, 4},
            {'O', 8, {5, 3, 4, 4, 5, 3, 4, 0}, 2}};
  s.seed = 404;
  return s;
}

// A fast triumphant march: brassy saw lead in thirds, off-beat stabs, snare drive.
Song trump() {
  Song s;
  s.file = "music/trump.ogg";
  s.mood = "triumphant, marching";
  s.bpm = 152;
  s.beats = 4;
  s.root = 70;  // B flat major
  s.scale = MAJOR;
  s.voice[LEAD] = withVibrato(voice(T_SAW, Env{0.02f, 0.1f, 0.75f, 0.07f}, -0.2f, 0.3f, 0.35f),
                              0.005f, 5.5f, 0.15f);
  s.voice[COUNTER] = voice(T_SAW, Env{0.02f, 0.1f, 0.7f, 0.07f}, 0.4f, 0.22f, 0.25f);
  s.voice[PAD] = voice(T_ORGAN, Env{0.03f, 0.3f, 0.7f, 0.15f}, 0.f, 0.12f, 0.4f);
  s.voice[COMP] = pulse(0.25f, Env{0.002f, 0.08f, 0.3f, 0.04f}, 0.5f, 0.17f, 0.7f);
  s.voice[BASS] = voice(T_TRIANGLE, Env{0.002f, 0.1f, 0.8f, 0.03f}, 0.f, 0.6f);
  s.bassStyle = 1;
  s.compStyle = 2;
  s.harmony = true;
  s.rhythms = {"x-xx-xx-x---x---", "x--xx-x-x-x-x---", "x-x-x-x-x--x--x-", "x---x-xxx---x---"};
  s.kick = "x.......x.......";
  s.snare = "..x...x.x.x...x.";
  s.hat = "x.x.x.x.x.x.x.x.";
  s.drumGain = 0.6f;
  s.echoBeats = 0.5f;
  s.echoFeedback = 0.2f;
  s.loudness = 0.145f;
  const std::vector<int> A = {0, 3, 0, 4}, B = {5, 3, 0, 4}, C = {3, 4, 0, 0}, D = {0, 5, 3, 4},
                         E = {1, 4, 0, 0};
  s.form = {{'I', 4, {0, 4, 0, 4}, 2},
            {'A', 8, A, 3},
            {'A', 8, A, 3},
            {'B', 8, B, 4},
            {'C', 8, C, 2},
            {'A', 8, A, 3},
            {'D', 8, D, 3},
            {'B', 8, B, 4},
            {'E', 8, E, 2},
            {'C', 8, C, 1},
            {'R', 8, {3, 4}, 3},
            {'B', 8, B, 4, 2},
            {'D', 8, D, 4, 2},
            {'A', 8, A, 3, 2},
            {'E', 8, E, 2, 2},
            {'B', 8, B, 4, 2},
            {'C', 8, C, 3, 2},
            {'A', 8, A, 4, 2},
            {'B', 8, B, 4, 2},
            {'C', 8, C, 1, 2},
            {'E', 8, E, 2, 2},
            {'D', 8, D, 3, 2},
            {'R', 8, {3, 4}, 3, 2},
            {'A', 8, A, 4, 2},
            {'B', 8, B, 4, 2},
            {'E', 8, E, 3, 2},
            {'D', 8, D, 4, 2},
            {'C', 8, C, 3, 2},
            {'A', 8, A, 4, 2},
            {'B', 8, B, 4, 2},
            {'O', 6, {3, 4, 5, 3, 4, 0}, 3, 2}};
  s.seed = 505;
  return s;
}

}  // namespace

std::vector<Song> allSongs() { return {echohall(), electro(), vision(), mirrorimage(), trump()}; }
