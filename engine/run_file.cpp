// The run file: a fixed header, the tape, and a CRC-32 of everything before it. Starting
// and stopping the recording and playback of a run.
#include "engine/run_file.h"

#include <cstdio>
#include <cstring>

#include <SDL/SDL_mixer.h>

#include "platform/globals.h"
#include "platform/plain_file.h"
#include "platform/random.h"

#ifndef SKARNFALL_RULES_DIGEST
#define SKARNFALL_RULES_DIGEST 0u  // set by the build from the rules' sources
#endif

namespace {
const char MAGIC[8] = {'S', 'K', 'R', 'N', 'R', 'U', 'N', '\n'};
const uint8_t FORMAT_VERSION = 1;
const size_t NAME_BYTES = 30;
const size_t HEADER_BYTES = 66;  // magic to the tape's length
const size_t CHECK_BYTES = 4;

uint32_t crc32(const std::string& bytes, size_t length) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; i++) {
    crc ^= static_cast<uint8_t>(bytes[i]);
    for (int bit = 0; bit < 8; bit++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void put32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; i++) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint32_t get32(const std::string& bytes, size_t at) {
  uint32_t value = 0;
  for (int i = 0; i < 4; i++)
    value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
  return value;
}

// What watching puts back afterwards: nothing of the player's game changes by watching.
struct heldState {
  unsigned int dice;
  bool paused, extraLife, extraBomb, firePower;
  int points, volume;
} held;
}  // namespace

const char* runProblemText(runProblem problem) {
  switch (problem) {
    case runProblem::NONE: return "";
    case runProblem::MISSING: return "The run of this score is missing.";
    case runProblem::FOREIGN: return "This is not a Skarnfall run.";
    case runProblem::DAMAGED: return "This run is damaged and cannot be played.";
    case runProblem::OTHER_VERSION: return "This run was saved by another version of Skarnfall.";
    case runProblem::OTHER_RULES: return "This run was played under other rules or levels.";
  }
  return "";
}

uint32_t rulesDigest() { return SKARNFALL_RULES_DIGEST; }

std::string encodeRun(const keptRun& run) {
  std::string tape;
  encodeTape(run.tape, tape);
  std::string out(MAGIC, sizeof MAGIC);
  out.push_back(static_cast<char>(FORMAT_VERSION));
  put32(out, run.rules);
  out.push_back(static_cast<char>(run.levelNumber));
  out.push_back(static_cast<char>(run.startHealth));
  out.push_back(static_cast<char>(run.inherited));
  put32(out, run.dice);
  put32(out, static_cast<uint32_t>(run.pendingPoints));
  put32(out, static_cast<uint32_t>(run.score));
  out.append(run.name, NAME_BYTES);
  put32(out, static_cast<uint32_t>(run.tape.ticks));
  put32(out, static_cast<uint32_t>(tape.size()));
  out += tape;
  put32(out, crc32(out, out.size()));
  return out;
}

runProblem decodeRun(const std::string& bytes, keptRun& run) {
  if (bytes.size() < sizeof MAGIC || memcmp(bytes.data(), MAGIC, sizeof MAGIC) != 0) {
    return runProblem::FOREIGN;
  }
  if (bytes.size() < sizeof MAGIC + 1) return runProblem::DAMAGED;
  if (static_cast<uint8_t>(bytes[8]) != FORMAT_VERSION) return runProblem::OTHER_VERSION;
  size_t size = bytes.size();
  if (size < HEADER_BYTES + CHECK_BYTES || size > RUN_FILE_MOST_BYTES ||
      get32(bytes, size - CHECK_BYTES) != crc32(bytes, size - CHECK_BYTES)) {
    return runProblem::DAMAGED;
  }
  if (get32(bytes, 9) != rulesDigest()) return runProblem::OTHER_RULES;
  keptRun r;
  r.rules = get32(bytes, 9);
  r.levelNumber = static_cast<uint8_t>(bytes[13]);
  r.startHealth = static_cast<uint8_t>(bytes[14]);
  r.inherited = static_cast<uint8_t>(bytes[15]);
  r.dice = get32(bytes, 16);
  r.pendingPoints = static_cast<int32_t>(get32(bytes, 20));
  r.score = static_cast<int32_t>(get32(bytes, 24));
  memcpy(r.name, bytes.data() + 28, NAME_BYTES);
  uint32_t ticks = get32(bytes, 58);
  uint32_t tapeBytes = get32(bytes, 62);
  bool sane = r.levelNumber >= 1 && r.levelNumber <= 10 && r.startHealth >= 1 &&
              r.startHealth <= 99 && r.inherited < 16 && ticks <= 0x7FFFFFFFu &&
              tapeBytes == size - HEADER_BYTES - CHECK_BYTES;
  const uint8_t* tape = reinterpret_cast<const uint8_t*>(bytes.data()) + HEADER_BYTES;
  if (!sane || !decodeTape(tape, tapeBytes, static_cast<int>(ticks), r.tape)) {
    return runProblem::DAMAGED;
  }
  run = r;
  return runProblem::NONE;
}

runProblem readRunFile(const char* path, keptRun& run) {
  FILE* file = openPlainFileForReading(path);
  if (file == nullptr) return runProblem::MISSING;
  std::string bytes(RUN_FILE_MOST_BYTES + 1, '\0');
  size_t got = fread(&bytes[0], 1, bytes.size(), file);
  fclose(file);
  bytes.resize(got);
  return decodeRun(bytes, run);
}

bool looksLikeRunFile(const char* path) {
  FILE* file = openPlainFileForReading(path);
  if (file == nullptr) return false;
  char start[sizeof MAGIC];
  bool same = fread(start, 1, sizeof start, file) == sizeof start &&
              memcmp(start, MAGIC, sizeof MAGIC) == 0;
  fclose(file);
  return same;
}

void startRecordingRun(keptRun& run, int levelNumber, int startHealth) {
  run = keptRun();
  run.levelNumber = levelNumber;
  run.startHealth = startHealth;
  run.dice = randomState();
  run.inherited = (globalPaused ? INHERITED_PAUSE : 0) |
                  (globalExtraLifeWaiting ? INHERITED_EXTRA_LIFE : 0) |
                  (globalExtraBombWaiting ? INHERITED_EXTRA_BOMB : 0) |
                  (globalFirePowerWaiting ? INHERITED_FIRE_POWER : 0);
  run.pendingPoints = globalScore;
  recordTape(&run.tape);
}

void stopRecordingRun() { recordTape(nullptr); }

void startPlayingRun(const keptRun& run) {
  held = {randomState(),          globalPaused, globalExtraLifeWaiting, globalExtraBombWaiting,
          globalFirePowerWaiting, globalScore,  master_volume};
  seedRandom(run.dice);
  globalPaused = (run.inherited & INHERITED_PAUSE) != 0;
  globalExtraLifeWaiting = (run.inherited & INHERITED_EXTRA_LIFE) != 0;
  globalExtraBombWaiting = (run.inherited & INHERITED_EXTRA_BOMB) != 0;
  globalFirePowerWaiting = (run.inherited & INHERITED_FIRE_POWER) != 0;
  globalScore = run.pendingPoints;
  playTape(&run.tape);
}

void stopPlayingRun() {
  playTape(nullptr);
  seedRandom(held.dice);
  globalPaused = held.paused;
  globalExtraLifeWaiting = held.extraLife;
  globalExtraBombWaiting = held.extraBomb;
  globalFirePowerWaiting = held.firePower;
  globalScore = held.points;
  master_volume = held.volume;  // the run's volume keys changed the mixer's too
  Mix_Volume(-1, master_volume);
  Mix_VolumeMusic(master_volume);
}
