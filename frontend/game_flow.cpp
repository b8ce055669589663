// The front-end flow of a run: title and instructions, then profile selection, level
// selection and a level, with the health adjustment and profile save after each level.
#include "frontend/game_flow.h"

#include <cstdio>
#include <cstring>

#include "frontend/game.h"
#include "frontend/profiles.h"
#include "platform/constants.h"

namespace {
constexpr int MOST_HEALTH = 99;
constexpr int LEAST_HEALTH = 1;
constexpr int HIGHEST_LEVEL = 10;
}  // namespace

int playableHealth(int setting) {
  if (setting < LEAST_HEALTH) return LEAST_HEALTH;
  if (setting > MOST_HEALTH) return MOST_HEALTH;
  return setting;
}

void adjustHealthSettings(int* healthSettings, int levelNumber, int result) {
  if (result != PLAYER_KILLED && result != LEVEL_COMPLETE) {
    printf("\n \n If you can read this nothing should have been added to lives\n");
    return;
  }
  if (levelNumber < 1 || levelNumber > HIGHEST_LEVEL) return;
  int& health = healthSettings[levelNumber];
  int& record = healthSettings[levelNumber + COMPLETION_RECORD_OFFSET];
  health = playableHealth(health);  // a damaged file must not leave a level unplayable
  if (result == PLAYER_KILLED) {
    if (health < MOST_HEALTH) health++;
    if (health > MOST_HEALTH) health = MOST_HEALTH;
    return;
  }
  if (record < 0 || record > MOST_HEALTH) record = 0;  // damaged: as if never completed
  if (record == 0 || record > health) record = health;
  if (health > LEAST_HEALTH) health--;
  if (health < LEAST_HEALTH) health = LEAST_HEALTH;
}

void game::saveProfileAhead(int levelNumber, int result) {
  if (!isProfileSlot(profileSlot)) return;
  int settings[PROFILE_SETTINGS];
  memcpy(settings, healthSettings, sizeof settings);
  // Only these two change anything; the rule's line for any other result is printed once,
  // by the adjustment after the level.
  if (result == PLAYER_KILLED || result == LEVEL_COMPLETE) {
    adjustHealthSettings(settings, levelNumber, result);
  }
  writeProfileFile(profileSlot, PROFILE_STORED_MARKER, profileName, settings);
}

void game::play() {
  showTitleScreen();
  showInstructions();
  while (showProfileScreen()) {
    int levelNumber = showLevelScreen();
    if (levelNumber == 0) continue;  // backed out: nothing played, nothing saved
    int result = playLevel(levelNumber);
    adjustHealthSettings(healthSettings, levelNumber, result);
    saveProfile();
  }
}
