// The five tunes: each its own tempo, key, groove and voices.
#include "music.h"

static const std::vector<int> MAJOR = {0, 2, 4, 5, 7, 9, 11};
static const std::vector<int> MINOR = {0, 2, 3, 5, 7, 8, 10};
static const std::vector<int> HARMONIC_MINOR = {0, 2, 3, 5, 7, 8, 11};
static const std::vector<int> DORIAN = {0, 2, 3, 5, 7, 9, 10};

static Tone pulse(float duty, Env e, float vib = 0.f) {
    Tone t;
    t.wave = W_PULSE;
    t.duty = duty;
    t.env = e;
    t.vibDepth = vib;
    return t;
}

static Tone tri(Env e) {
    Tone t;
    t.wave = W_TRIANGLE;
    t.env = e;
    return t;
}

std::vector<Song> allSongs() {
    std::vector<Song> v;
    {   // Slow, dreamy minor tune with a long echo on the lead.
        Song s;
        s.file = "music/echohall.ogg";
        s.bpm = 96;
        s.root = 62;
        s.scale = MINOR;
        s.progA = {0, 5, 2, 6};
        s.progB = {3, 0, 5, 4};
        s.rhythms = {"x-----x-x-------", "x---x---x-x-x---", "x-x---x-----x---"};
        s.kick = "x.........x.....";
        s.snare = "....x.......x...";
        s.hat = "x.x.x.x.x.x.x.xo";
        s.bassStyle = 1;
        s.arpStyle = 0;
        s.harmony = false;
        s.mirror = false;
        s.echoSec = 0.469f;
        s.echoFeedback = 0.45f;
        s.echoWet = 0.45f;
        s.lead = pulse(0.25f, Env{0.02f, 0.2f, 0.6f, 0.2f}, 0.2f);
        s.arp = pulse(0.125f, Env{0.002f, 0.12f, 0.f, 0.05f});
        s.bass = tri(Env{0.005f, 0.2f, 0.8f, 0.05f});
        s.form = "IAABCAB";
        s.seed = 101;
        v.push_back(s);
    }
    {   // Driving four-on-the-floor with octave bass.
        Song s;
        s.file = "music/electro.ogg";
        s.bpm = 138;
        s.root = 69;
        s.scale = MINOR;
        s.progA = {0, 0, 5, 6};
        s.progB = {5, 6, 0, 4};
        s.rhythms = {"x-x-.x-x-.x-x-x.", "x.x.x.x-x-x.x---", "x--x--x-x--x--x-"};
        s.kick = "x...x...x...x...";
        s.snare = "....x.......x...";
        s.hat = "x.o.x.o.x.o.x.ox";
        s.bassStyle = 0;
        s.arpStyle = 1;
        s.harmony = true;
        s.mirror = false;
        s.echoSec = 0.326f;
        s.echoFeedback = 0.25f;
        s.echoWet = 0.2f;
        s.lead = pulse(0.5f, Env{0.002f, 0.1f, 0.5f, 0.05f});
        s.arp = pulse(0.125f, Env{0.001f, 0.08f, 0.f, 0.03f});
        s.bass = tri(Env{0.002f, 0.1f, 0.7f, 0.03f});
        s.form = "IAABBCAABB";
        s.seed = 202;
        v.push_back(s);
    }
    {   // Bright major-key adventure theme.
        Song s;
        s.file = "music/vision.ogg";
        s.bpm = 120;
        s.root = 67;
        s.scale = MAJOR;
        s.progA = {0, 4, 5, 3};
        s.progB = {3, 4, 2, 5};
        s.rhythms = {"x--x--x-x-x-x---", "x-x-x---x--x-x--", "x---x-x-x-x-x-x-"};
        s.kick = "x.....x.x.......";
        s.snare = "....x.......x...";
        s.hat = "x.x.x.x.x.x.x.x.";
        s.bassStyle = 3;
        s.arpStyle = 0;
        s.harmony = true;
        s.mirror = false;
        s.echoSec = 0.375f;
        s.echoFeedback = 0.3f;
        s.echoWet = 0.22f;
        s.lead = pulse(0.5f, Env{0.005f, 0.15f, 0.65f, 0.08f}, 0.25f);
        s.arp = pulse(0.25f, Env{0.001f, 0.1f, 0.f, 0.03f});
        s.bass = tri(Env{0.003f, 0.15f, 0.8f, 0.04f});
        s.form = "IAABACABB";
        s.seed = 303;
        v.push_back(s);
    }
    {   // Mysterious harmonic-minor tune whose phrases answer in mirror image.
        Song s;
        s.file = "music/mirrorimage.ogg";
        s.bpm = 108;
        s.root = 66;
        s.scale = HARMONIC_MINOR;
        s.progA = {0, 3, 4, 0};
        s.progB = {5, 2, 3, 4};
        s.rhythms = {"x--x--x---x-x---", "x-x-x-x-x-----x-", "x---x--x--x-x---"};
        s.kick = "x..x....x..x....";
        s.snare = "....x.......x..x";
        s.hat = "xxx.xxx.xxx.xxxo";
        s.bassStyle = 2;
        s.arpStyle = 2;
        s.harmony = false;
        s.mirror = true;
        s.echoSec = 0.417f;
        s.echoFeedback = 0.35f;
        s.echoWet = 0.3f;
        s.lead = pulse(0.125f, Env{0.004f, 0.2f, 0.55f, 0.12f}, 0.3f);
        s.arp = tri(Env{0.001f, 0.12f, 0.f, 0.04f});
        s.bass = tri(Env{0.003f, 0.12f, 0.8f, 0.04f});
        s.form = "IAABACAB";
        s.seed = 404;
        v.push_back(s);
    }
    {   // Fast triumphant fanfare march in Bb major.
        Song s;
        s.file = "music/trump.ogg";
        s.bpm = 150;
        s.root = 58 + 12;
        s.scale = MAJOR;
        s.progA = {0, 3, 0, 4};
        s.progB = {5, 3, 0, 4};
        s.rhythms = {"x-xx-xx-x---x---", "x--xx-x-x-x-x---", "x-x-x-x-x--x--x-"};
        s.kick = "x.......x.......";
        s.snare = "..x...x.x.x...x.";
        s.hat = "x.x.x.x.x.x.x.x.";
        s.bassStyle = 1;
        s.arpStyle = 1;
        s.harmony = true;
        s.mirror = false;
        s.echoSec = 0.2f;
        s.echoFeedback = 0.2f;
        s.echoWet = 0.15f;
        s.lead = pulse(0.25f, Env{0.01f, 0.1f, 0.7f, 0.06f}, 0.2f);
        s.lead.slide = 0.f;
        s.arp = pulse(0.125f, Env{0.001f, 0.08f, 0.f, 0.03f});
        s.bass = tri(Env{0.002f, 0.1f, 0.8f, 0.03f});
        s.form = "IAABBACAABB";
        s.seed = 505;
        v.push_back(s);
    }
    return v;
}
