// Fuzz target: loading a profile file of any length and content into the game object,
// drawing its name as the profile list and the name entry do, and saving it again.
// A stored profile must survive a save and a reload unchanged.
#include <cstring>

#include "frontend/game.h"
#include "frontend/profiles.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
game* theGame = nullptr;
const char* SLOT_FILE = "profiles/profile01.txt";

void drawName(game& g) {
  g.drawText(g.screen, g.profileName, 150, 80, 255, 255, 255);
  for (int i = 0; i < PROFILE_NAME_LENGTH; i++) {
    char letter[2] = {g.profileName[i], '\0'};
    g.drawText(g.screen, letter, 10 * i, 80, 255, 255, 0);
  }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  theGame = &startFuzzGame();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  game& g = *theGame;
  memcpy(g.profileName, "A                             ", 31);
  for (int i = 0; i < PROFILE_SETTINGS; i++) g.healthSettings[i] = i <= 10 ? 3 : 0;
  writeFuzzFile(SLOT_FILE, data, size);
  g.profileSlot = 1;
  bool stored = g.loadProfile();
  fuzzCheck(stored == (size == 0 || data[0] != '0'), "only a leading \"0\" marks an empty slot");
  fuzzCheck(g.profileName[PROFILE_NAME_LENGTH] == '\0', "the name keeps its terminator");
  for (int i = 0; i < PROFILE_NAME_LENGTH; i++) {
    unsigned char expected = stored ? (1 + i < static_cast<int>(size) ? data[1 + i] : 255)
                                    : static_cast<unsigned char>(i == 0 ? 'A' : ' ');
    fuzzCheck(static_cast<unsigned char>(g.profileName[i]) == expected, "name byte");
  }
  drawName(g);
  if (!stored) return 0;

  char name[PROFILE_NAME_LENGTH + 1];
  int settings[PROFILE_SETTINGS];
  memcpy(name, g.profileName, sizeof name);
  memcpy(settings, g.healthSettings, sizeof settings);
  for (int setting : settings) fuzzCheck(setting >= -48 && setting <= 255 - 48, "setting range");
  fuzzCheck(g.saveProfile(), "a loaded profile saves");
  fuzzCheck(readFuzzFile(SLOT_FILE).size() == PROFILE_FILE_BYTES, "a saved profile is whole");
  fuzzCheck(g.loadProfile(), "a saved profile loads");
  fuzzCheck(memcmp(name, g.profileName, sizeof name) == 0, "the name survives a round trip");
  fuzzCheck(memcmp(settings, g.healthSettings, sizeof settings) == 0,
            "the settings survive a round trip");
  return 0;
}
