// A level's run as the two seams saw it: each frame's step in ticks (the clock) and every
// key and button event the ship read (the event queue), each by the tick its frame began at.
// Recording and playing back hook those two seams only, so a run plays back exactly.
#pragma once
#include <SDL/SDL.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a tape entry holds. STEP: the frames from this tick on take code ticks each.
// FOCUS_PAUSE: the window lost the focus, which pauses a level without an event the ship reads.
enum tapeKind : uint8_t { KEY_UP, KEY_DOWN, BUTTON_UP, BUTTON_DOWN, STEP, FOCUS_PAUSE };
constexpr int TAPE_KINDS = 6;

struct tapeEntry {
  int tick;  // ticks of the level's loop before the frame that read it
  tapeKind kind;
  int code;  // the key (a character, or 273 to 276 for up, down, right, left), button or step
};

struct runTape {
  std::vector<tapeEntry> entries;  // in the order they happened
  int ticks = 0;                   // ticks the loop ran in all
  size_t encodedBytes = 0;         // what encodeTape makes of the entries
  bool tooLong = false;            // an entry would have passed TAPE_MOST_BYTES: not kept
};

// A whole level's inputs fit in this many encoded bytes, or its run is not kept.
constexpr size_t TAPE_MOST_BYTES = 16 * 1024 - 128;  // the run file's header and check within 16 KB

// The entries as bytes: per entry, the ticks since the last entry times TAPE_KINDS plus the
// kind as one unsigned varint, then the code as another (none for FOCUS_PAUSE).
void encodeTape(const runTape& tape, std::string& out);
// Fills tape from the bytes of a run of ticks ticks; false when they are not a whole,
// well-formed tape of that run.
bool decodeTape(const uint8_t* bytes, size_t length, int ticks, runTape& tape);

// Recording runs from recordTape(tape) to recordTape(nullptr); playing back likewise. While a
// level plays back, the ship reads the tape's events and nothing from the queue.
void recordTape(runTape* tape);
void playTape(const runTape* tape);
bool tapeRecording();
bool tapePlaying();
// True once playback has handed out every entry and run the recorded ticks.
bool tapePlayedOut();
// Ticks of the level's loop so far, recorded or played back.
int tapeTick();

// The clock seam's hook, given the step the loop measured: the step the frame takes (the
// recorded one on playback). Called once per frame, before the frame reads any input.
int tapeFrameStep(int measured);
// On playback, the ticks the coming frame takes (it waits for them); 0 otherwise.
int tapeNextStep();

// The input seam's hooks: on playback the next event of the current frame (false when the
// frame has none left); while recording, an event the ship is given, or a pause by focus.
bool takeTapeEvent(SDL_Event* event);
void noteTapeEvent(const SDL_Event& event);
void noteFocusPause();

// While a run plays back, the level's loop asks this on every pass (the watcher reads the
// player's controls in it); false stops watching at once. Without a watcher it goes on.
void setPlaybackWatcher(bool (*watcher)());
bool playbackGoesOn();
// What the frames of a run played back are labelled with ("REPLAY" unless set).
void setPlaybackLabel(const char* label);
const char* playbackLabel();
