// The level's table of its ten best scores: the 490-byte record file, the entry of a new
// score at the end of a level, and the table screen.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "engine/fade.h"
#include "engine/kept_runs.h"
#include "engine/level.h"
#include "engine/level_run.h"
#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "platform/plain_file.h"
#include "platform/present.h"

namespace {
const int TABLE_ENTRIES = 10;
const int SCORE_DIGITS = 9;
const int NAME_BYTES = 30;  // the terminating zero is not stored
const int FLAG_BYTES = 10;
const int RECORD_BYTES = SCORE_DIGITS + NAME_BYTES + FLAG_BYTES;  // 49
const int FILE_BYTES = TABLE_ENTRIES * RECORD_BYTES;              // 490
const unsigned char MISSING_BYTE = 0xFF;  // what a read past the end of the file yields

const int POWERS_OF_TEN[SCORE_DIGITS + 1] = {1,      10,      100,      1000,      10000,
                                             100000, 1000000, 10000000, 100000000, 1000000000};

// Each digit adds (c - '0') times its place value, the byte taken as signed; nothing checks
// that it is a digit. Summed wide so that no content can overflow, then kept to 32 bits.
int decodeScore(const unsigned char* field) {
  int64_t sum = 0;
  for (int j = 0; j < SCORE_DIGITS; j++) {
    int c = static_cast<signed char>(field[j]);
    sum += static_cast<int64_t>(c - '0') * POWERS_OF_TEN[SCORE_DIGITS - 1 - j];
  }
  return static_cast<int32_t>(static_cast<uint32_t>(sum));
}

// Only the last nine decimal digits of a score are kept.
void encodeScore(int score, char* field) {
  for (int j = 0; j < SCORE_DIGITS; j++) {
    int upper = score % POWERS_OF_TEN[SCORE_DIGITS - j];
    int lower = score % POWERS_OF_TEN[SCORE_DIGITS - 1 - j];
    field[j] = static_cast<char>('0' + (upper - lower) / POWERS_OF_TEN[SCORE_DIGITS - 1 - j]);
  }
}

// "0" and "1" are the flag values; any other byte repeats the last flag read in this load.
void decodeFlags(const unsigned char* field, bool* flags, bool& lastFlag) {
  for (int e = 0; e < FLAG_BYTES; e++) {
    if (field[e] == '0') lastFlag = false;
    if (field[e] == '1') lastFlag = true;
    flags[e] = lastFlag;
  }
}

void decodeTable(level& lv, const unsigned char* bytes) {
  bool lastFlag = false;
  for (int i = 0; i < TABLE_ENTRIES; i++) {
    const unsigned char* record = bytes + i * RECORD_BYTES;
    lv.highScores[i] = decodeScore(record);
    memcpy(lv.highScoreNames[i], record + SCORE_DIGITS, NAME_BYTES);
    lv.highScoreNames[i][NAME_BYTES] = '\0';
    decodeFlags(record + SCORE_DIGITS + NAME_BYTES, lv.highExtrasUsed[i], lastFlag);
  }
}

void encodeTable(const level& lv, char* bytes) {
  for (int i = 0; i < TABLE_ENTRIES; i++) {
    char* record = bytes + i * RECORD_BYTES;
    encodeScore(lv.highScores[i], record);
    memcpy(record + SCORE_DIGITS, lv.highScoreNames[i], NAME_BYTES);
    for (int e = 0; e < FLAG_BYTES; e++) {
      record[SCORE_DIGITS + NAME_BYTES + e] = lv.highExtrasUsed[i][e] ? '1' : '0';
    }
  }
}

tableRows rowsOf(const level& lv) { return {lv.highScores, lv.highScoreNames}; }

void moveEntry(level& lv, int from, int to) {
  lv.highScores[to] = lv.highScores[from];
  memcpy(lv.highScoreNames[to], lv.highScoreNames[from], sizeof lv.highScoreNames[from]);
  memcpy(lv.highExtrasUsed[to], lv.highExtrasUsed[from], sizeof lv.highExtrasUsed[from]);
}

}  // namespace

void drawHighScoreTable(level& lv) {
  SDL_FillRect(levelScreen, nullptr, SDL_MapRGB(levelScreen->format, 0, 0, 0));
  lv.drawText("High Scores For This Level", 0, 0, 255, 255, 255);
  lv.drawText("Press Space Bar.", 0, 220, 255, 255, 255);
  for (int i = 0; i < TABLE_ENTRIES; i++) {
    int y = 20 + 20 * i;
    lv.drawTextInt(levelScreen, lv.highScores[i], 0, y, 255, 255, 255);
    char name[NAME_BYTES + 1];
    memcpy(name, lv.highScoreNames[i], sizeof name);
    name[NAME_BYTES] = '\0';  // the stored name is drawn whole, trailing spaces included
    lv.drawText(name, 160, y, 255, 255, 255);
  }
}

namespace {

// How a key or button on the table screen leaves it, or picks an entry's run to watch.
enum tableChoice { STAY, LEAVE, LEAVE_AFTER_QUEUE, LEAVE_TO_QUIT, PICK_UP, PICK_DOWN, WATCH };

const int DOWN_BUTTON = 4, RIGHT_BUTTON = 6;  // the pad's directions

// The next entry from one on, by delta, that has a run to watch; -1 when none has, or
// when nothing offers runs.
int nextWatchable(const level& lv, int from, int delta) {
  if (watchTableEntryHook == nullptr) return -1;
  for (int k = 1; k <= TABLE_ENTRIES; k++) {
    int i = ((from + delta * k) % TABLE_ENTRIES + TABLE_ENTRIES) % TABLE_ENTRIES;
    if (lv.runs->ids[i] != 0) return i;
  }
  return -1;
}

// The table, and when a run can be watched the picked entry in yellow with how to watch it.
void drawTableScreen(level& lv, int picked) {
  SDL_SetAlpha(levelScreen, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
  drawHighScoreTable(lv);
  if (picked < 0) return;
  int y = 20 + 20 * picked;
  SDL_Rect row = {0, static_cast<Sint16>(y), static_cast<Uint16>(WINDOW_WIDTH), 20};
  SDL_FillRect(levelScreen, &row, SDL_MapRGB(levelScreen->format, 0, 0, 0));
  lv.drawTextInt(levelScreen, lv.highScores[picked], 0, y, 255, 255, 0);
  char name[NAME_BYTES + 1];
  memcpy(name, lv.highScoreNames[picked], sizeof name);
  name[NAME_BYTES] = '\0';
  lv.drawText(name, 160, y, 255, 255, 0);
  lv.drawText("Right: watch run", 176, 220, 255, 255, 0);
}

tableChoice choiceFor(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) {
    switch (event.key.keysym.sym) {
      case SDLK_SPACE: return LEAVE;
      case SDLK_h: return LEAVE_AFTER_QUEUE;
      case SDLK_q: return LEAVE_TO_QUIT;
      case SDLK_UP: return PICK_UP;
      case SDLK_DOWN: return PICK_DOWN;
      case SDLK_RIGHT: return WATCH;
      default: return STAY;
    }
  }
  if (event.type == SDL_JOYBUTTONDOWN) {  // B acts as Space, Y as "h", X as "q"
    switch (event.jbutton.button) {
      case padButtons::B: return LEAVE;
      case padButtons::Y: return LEAVE_AFTER_QUEUE;
      case padButtons::X: return LEAVE_TO_QUIT;
      case padButtons::UP: return PICK_UP;
      case DOWN_BUTTON: return PICK_DOWN;
      case RIGHT_BUTTON:
      case padButtons::A: return WATCH;
      default: return STAY;
    }
  }
  return STAY;
}
// Up and Down move the pick among the entries with runs; watching returns to the table.
int pickOrWatch(level& lv, tableChoice choice, int picked) {
  if (choice == WATCH) {
    fadeScreen(levelScreen, FADE_OUT, SCREEN_FADE_TICKS);
    watchTableEntryHook(*lv.runs, picked);
    drawTableScreen(lv, picked);
    fadeScreen(levelScreen, FADE_IN, SCREEN_FADE_TICKS);
  } else {
    picked = nextWatchable(lv, picked, choice == PICK_UP ? -1 : 1);
    drawTableScreen(lv, picked);
  }
  presentSurface(levelScreen);
  return picked;
}
}  // namespace

bool level::loadHighScores(const char* hsFile) {
  FILE* file = openPlainFileForReading(hsFile);
  if (hsFile != nullptr) runs->tableFile = hsFile;  // a missing table is made at the save
  if (file == nullptr) {
    printf("Cannot open file \n");
    return false;
  }
  unsigned char bytes[FILE_BYTES];
  memset(bytes, MISSING_BYTE, sizeof bytes);
  size_t got = fread(bytes, 1, sizeof bytes, file);
  (void)got;  // a short file leaves the rest as if read past its end
  fclose(file);
  decodeTable(*this, bytes);
  loadKeptRuns(*runs, rowsOf(*this), hsFile);
  return true;
}

bool level::saveHighScores(const char* hsFile) {
  char bytes[FILE_BYTES];
  encodeTable(*this, bytes);
  if (hsFile == nullptr || !saveTableWithRuns(*runs, rowsOf(*this), hsFile, bytes, sizeof bytes)) {
    printf("Cannot open file \n");
    return false;
  }
  return true;
}

bool level::saveHighScoresWithEntry(const char* hsFile, int score) {
  int scores[TABLE_ENTRIES];
  char names[TABLE_ENTRIES][NAME_BYTES + 1];
  bool flags[TABLE_ENTRIES][FLAG_BYTES];
  memcpy(scores, highScores, sizeof scores);
  memcpy(names, highScoreNames, sizeof names);
  memcpy(flags, highExtrasUsed, sizeof flags);
  bool enters = highScorePosition(highScores, score) >= 0;
  enterHighScore(*this, score);
  char bytes[FILE_BYTES];
  encodeTable(*this, bytes);
  // The entry's run is kept with this save; the entry at the end of play leaves it as it is.
  bool saved =
      hsFile != nullptr && saveTableWithRuns(*runs, rowsOf(*this), hsFile, bytes, sizeof bytes);
  runs->entered = enters;
  memcpy(highScores, scores, sizeof scores);
  memcpy(highScoreNames, names, sizeof names);
  memcpy(highExtrasUsed, flags, sizeof flags);
  return saved;
}

int highScorePosition(const int highScores[10], int score) {
  if (score > highScores[0]) return 0;
  for (int k = TABLE_ENTRIES - 1; k >= 1; k--) {
    if (highScores[k] <= score && highScores[k - 1] > score) return k;
  }
  return -1;  // below every entry, or equal to the best
}

void enterHighScore(level& lv, int score) {
  int position = highScorePosition(lv.highScores, score);
  if (position < 0) return;
  enterKeptRun(*lv.runs, rowsOf(lv), position, score, lv.profileName);
  for (int from = TABLE_ENTRIES - 2; from >= position; from--) moveEntry(lv, from, from + 1);
  lv.highScores[position] = score;
  memcpy(lv.highScoreNames[position], lv.profileName, sizeof lv.profileName);
  memcpy(lv.highExtrasUsed[position], lv.extrasUsed, sizeof lv.extrasUsed);
}

int level::showHighScores() {
  int picked = nextWatchable(*this, -1, 1);
  drawTableScreen(*this, picked);
  fadeScreen(levelScreen, FADE_IN, SCREEN_FADE_TICKS);
  presentSurface(levelScreen);
  trace("screen waits: high scores");
  bool finished = false;
  Uint32 lastDrawMs = readClock();
  while (true) {
    SDL_Event event;
    while (pollInputEvent(&event)) {
      tableChoice choice = choiceFor(event);
      if (choice >= PICK_UP && picked >= 0) {
        picked = pickOrWatch(*this, choice, picked);
        continue;
      }
      if (choice == STAY || choice >= PICK_UP) continue;
      fadeScreen(levelScreen, FADE_OUT, SCREEN_FADE_TICKS);
      if (choice == LEAVE) return 1;
      if (choice == LEAVE_TO_QUIT) return 0;
      finished = true;  // "h": leave once the keys already pressed have been read
    }
    if (finished) return 1;
    waitForNextTick(lastDrawMs);
    presentSurface(levelScreen);
  }
}
