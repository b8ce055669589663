// A kept run: what a level's play needs to be played again exactly (the level, the starting
// health, the dice's state and what the level inherits from the one before) with its tape,
// and the checked file it is kept in.
#pragma once
#include <cstdint>
#include <string>

#include "platform/run_tape.h"

// The digest of the rules and levels this build plays by; a run made under others would
// not play back the same.
uint32_t rulesDigest();

struct keptRun {
  uint32_t rules = rulesDigest();  // the rules it was played by
  int levelNumber = 0;             // 1 to 10
  int startHealth = 3;             // 1 to 99
  unsigned int dice = 1;           // the generator's state as play began
  uint8_t inherited = 0;           // INHERITED_* flags: what was already set as play began
  int32_t pendingPoints = 0;       // points still waiting for the ship as play began
  int32_t score = 0;               // the score the run made, bonus included
  char name[31] = {};              // the player's name as the table shows it
  runTape tape;
};

constexpr uint8_t INHERITED_PAUSE = 1;
constexpr uint8_t INHERITED_EXTRA_LIFE = 2;
constexpr uint8_t INHERITED_EXTRA_BOMB = 4;
constexpr uint8_t INHERITED_FIRE_POWER = 8;

constexpr size_t RUN_FILE_MOST_BYTES = 16 * 1024;  // a whole level's run, header included

// Why a run cannot be played; each has a line the player is shown.
enum class runProblem { NONE, MISSING, FOREIGN, DAMAGED, OTHER_VERSION, OTHER_RULES };
const char* runProblemText(runProblem problem);

std::string encodeRun(const keptRun& run);
runProblem decodeRun(const std::string& bytes, keptRun& run);
// Reads at most RUN_FILE_MOST_BYTES + 1 bytes; a missing or unreadable file is MISSING.
runProblem readRunFile(const char* path, keptRun& run);
// Whether path holds a file that begins as a run file does (the game may remove it).
bool looksLikeRunFile(const char* path);

// Notes what the level inherits and the dice's state, and starts recording the tape.
void startRecordingRun(keptRun& run, int levelNumber, int startHealth);
void stopRecordingRun();
// Puts the dice and the inherited flags as the run had them, and plays the tape back.
void startPlayingRun(const keptRun& run);
void stopPlayingRun();
