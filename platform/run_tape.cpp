// Recording a level's frame steps and input at the clock and input seams, playing them
// back, and the tape's compact encoding.
#include "platform/run_tape.h"

#include "platform/constants.h"
#include "platform/globals.h"

namespace {
runTape* recording = nullptr;
const runTape* playing = nullptr;
size_t cursor = 0;      // playback: the next entry to hand out
int frameTick = 0;      // ticks before the current frame
int nextFrameTick = 0;  // ticks before the next frame
int currentStep = 1;    // the step frames take until a STEP entry changes it
bool (*watcherPass)() = nullptr;
const char* label = "REPLAY";

// Keys are kept in one numbering on every target (the browser's SDL numbers the arrows
// otherwise): characters as themselves, the arrows as 273 to 276. The ship reads no other key.
const int FIRST_ARROW = 273;
const SDLKey ARROWS[] = {SDLK_UP, SDLK_DOWN, SDLK_RIGHT, SDLK_LEFT};
const int CHARACTERS = 128;

int portableKey(SDLKey key) {
  if (key >= 0 && key < CHARACTERS) return key;
  for (int i = 0; i < 4; i++) {
    if (ARROWS[i] == key) return FIRST_ARROW + i;
  }
  return -1;
}

SDLKey keyOfCode(int code) {
  return code < CHARACTERS ? static_cast<SDLKey>(code) : ARROWS[code - FIRST_ARROW];
}

bool validCode(tapeKind kind, uint32_t code) {
  switch (kind) {
    case KEY_UP:
    case KEY_DOWN: return code < CHARACTERS || (code >= FIRST_ARROW && code < FIRST_ARROW + 4);
    case BUTTON_UP:
    case BUTTON_DOWN: return code <= 255;
    case STEP:
      return code >= static_cast<uint32_t>(MIN_INC) && code <= static_cast<uint32_t>(MAX_INC);
    case FOCUS_PAUSE: return true;
  }
  return false;
}

void putVarint(std::string& out, uint32_t value) {
  while (value >= 0x80) {
    out.push_back(static_cast<char>((value & 0x7F) | 0x80));
    value >>= 7;
  }
  out.push_back(static_cast<char>(value));
}

bool getVarint(const uint8_t* bytes, size_t length, size_t& at, uint32_t& value) {
  value = 0;
  for (int shift = 0; shift < 32; shift += 7) {
    if (at >= length) return false;
    uint8_t b = bytes[at++];
    value |= static_cast<uint32_t>(b & 0x7F) << shift;
    if ((b & 0x80) == 0) return true;
  }
  return false;  // more than five bytes: not a varint this tape writes
}

void encodeEntry(std::string& out, const tapeEntry& e, int previousTick) {
  putVarint(out, static_cast<uint32_t>(e.tick - previousTick) * TAPE_KINDS + e.kind);
  if (e.kind != FOCUS_PAUSE) putVarint(out, static_cast<uint32_t>(e.code));
}

void beginFrames() {
  cursor = 0;
  frameTick = 0;
  nextFrameTick = 0;
  currentStep = 1;
}

// Adds an entry unless the tape would pass its size bound, which marks it too long.
void append(const tapeEntry& e) {
  if (recording == nullptr || recording->tooLong) return;
  std::string bytes;
  int previous = recording->entries.empty() ? 0 : recording->entries.back().tick;
  encodeEntry(bytes, e, previous);
  if (recording->encodedBytes + bytes.size() > TAPE_MOST_BYTES) {
    recording->tooLong = true;
    return;
  }
  recording->encodedBytes += bytes.size();
  recording->entries.push_back(e);
}
}  // namespace

void encodeTape(const runTape& tape, std::string& out) {
  int previous = 0;
  for (const tapeEntry& e : tape.entries) {
    encodeEntry(out, e, previous);
    previous = e.tick;
  }
}

bool decodeTape(const uint8_t* bytes, size_t length, int ticks, runTape& tape) {
  runTape result;
  size_t at = 0;
  int64_t tick = 0;
  while (at < length) {
    uint32_t head = 0, code = 0;
    if (!getVarint(bytes, length, at, head)) return false;
    tick += head / TAPE_KINDS;
    tapeKind kind = static_cast<tapeKind>(head % TAPE_KINDS);
    if (tick > ticks) return false;  // past the run's end
    if (kind != FOCUS_PAUSE && !getVarint(bytes, length, at, code)) return false;
    if (!validCode(kind, code)) return false;
    result.entries.push_back({static_cast<int>(tick), kind, static_cast<int>(code)});
  }
  result.ticks = ticks;
  result.encodedBytes = length;
  tape = result;
  return true;
}

void recordTape(runTape* tape) {
  recording = tape;
  beginFrames();
}

void playTape(const runTape* tape) {
  playing = tape;
  beginFrames();
}

bool tapeRecording() { return recording != nullptr; }
bool tapePlaying() { return playing != nullptr; }

bool tapePlayedOut() {
  return playing != nullptr && cursor >= playing->entries.size() && nextFrameTick >= playing->ticks;
}

int tapeTick() { return nextFrameTick; }

int tapeFrameStep(int measured) {
  frameTick = nextFrameTick;
  if (playing != nullptr) {
    const std::vector<tapeEntry>& entries = playing->entries;
    while (cursor < entries.size() && entries[cursor].tick <= frameTick &&
           entries[cursor].kind == STEP) {
      currentStep = entries[cursor++].code;
    }
    nextFrameTick += currentStep;
    return currentStep;
  }
  if (recording != nullptr) {
    if (measured != currentStep) append({frameTick, STEP, measured});
    currentStep = measured;
    recording->ticks = frameTick + measured;
  }
  nextFrameTick += measured;
  return measured;
}

int tapeNextStep() {
  if (playing == nullptr) return 0;
  size_t c = cursor;
  int step = currentStep;
  const std::vector<tapeEntry>& entries = playing->entries;
  while (c < entries.size() && entries[c].tick <= nextFrameTick && entries[c].kind == STEP) {
    step = entries[c++].code;
  }
  return step;
}

bool takeTapeEvent(SDL_Event* event) {
  const std::vector<tapeEntry>& entries = playing->entries;
  while (cursor < entries.size() && entries[cursor].tick <= frameTick) {
    const tapeEntry& e = entries[cursor++];
    switch (e.kind) {
      case KEY_UP:
      case KEY_DOWN:
        *event = {};
        event->type = e.kind == KEY_DOWN ? SDL_KEYDOWN : SDL_KEYUP;
        event->key.state = e.kind == KEY_DOWN ? SDL_PRESSED : SDL_RELEASED;
        event->key.keysym.sym = keyOfCode(e.code);
        return true;
      case BUTTON_UP:
      case BUTTON_DOWN:
        *event = {};
        event->type = e.kind == BUTTON_DOWN ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
        event->jbutton.button = static_cast<Uint8>(e.code);
        event->jbutton.state = e.kind == BUTTON_DOWN ? SDL_PRESSED : SDL_RELEASED;
        return true;
      case FOCUS_PAUSE: globalPaused = true; break;
      case STEP: break;  // a step recorded mid-frame cannot happen; taken as a no-op
    }
  }
  return false;
}

void noteTapeEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (portableKey(event.key.keysym.sym) < 0) break;  // a key the ship ignores
      append({frameTick, event.type == SDL_KEYDOWN ? KEY_DOWN : KEY_UP,
              portableKey(event.key.keysym.sym)});
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (event.jbutton.which != 0) break;  // the ship reads the first joystick only
      append({frameTick, event.type == SDL_JOYBUTTONDOWN ? BUTTON_DOWN : BUTTON_UP,
              event.jbutton.button});
      break;
    default: break;  // the ship reads nothing else
  }
}

void noteFocusPause() { append({frameTick, FOCUS_PAUSE, 0}); }

void setPlaybackWatcher(bool (*watcher)()) { watcherPass = watcher; }
bool playbackGoesOn() { return watcherPass == nullptr || watcherPass(); }
void setPlaybackLabel(const char* text) { label = text != nullptr ? text : "REPLAY"; }
const char* playbackLabel() { return label; }
