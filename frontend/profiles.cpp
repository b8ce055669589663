// Profile storage (save and load of the current slot), the listing of the five slots, and
// profile creation: the slot choice screen followed by the name entry screen.
#include "frontend/profiles.h"

#include <cstring>

#include "engine/fade.h"
#include "frontend/game.h"
#include "frontend/menu.h"
#include "platform/atomic_file.h"
#include "platform/constants.h"
#include "platform/plain_file.h"
#include "platform/save_folder.h"

bool isProfileSlot(int slot) { return slot >= 1 && slot <= PROFILE_SLOTS; }

std::string profileFileName(int slot) {
  return saveFolderPrefix() + ("profiles/profile0" + std::to_string(slot) + ".txt");
}

unsigned char readProfileByte(FILE* file) {
  int byte = fgetc(file);
  return byte == EOF ? 255 : static_cast<unsigned char>(byte);
}

void readProfileBytes(FILE* file, char* text, int count) {
  for (int i = 0; i < count; i++) text[i] = static_cast<char>(readProfileByte(file));
}

void startEmptySlots(profileSlotList& slots) {
  for (int n = 0; n < PROFILE_SLOTS; n++) {
    memcpy(slots.names[n], "EMPTY", 5);
    memset(slots.names[n] + 5, ' ', PROFILE_NAME_LENGTH - 5);
    slots.names[n][PROFILE_NAME_LENGTH] = '\0';
  }
}

bool readProfileSlots(profileSlotList& slots) {
  for (int n = 0; n < PROFILE_SLOTS; n++) slots.empty[n] = true;
  for (int n = 0; n < PROFILE_SLOTS; n++) {
    FILE* file = openPlainFileForReading(profileFileName(n + 1).c_str());
    if (file == nullptr) {
      printf("Cannot open file \n");
      return false;
    }
    if (readProfileByte(file) != PROFILE_EMPTY_MARKER) {
      slots.empty[n] = false;
      readProfileBytes(file, slots.names[n], PROFILE_NAME_LENGTH);
      slots.names[n][PROFILE_NAME_LENGTH] = '\0';
    }
    fclose(file);
  }
  return true;
}

bool writeProfileFile(int slot, char marker, const char* name, const int settings[]) {
  char bytes[PROFILE_FILE_BYTES];
  bytes[0] = marker;
  memcpy(bytes + 1, name, PROFILE_NAME_LENGTH);
  for (int i = 0; i < PROFILE_SETTINGS; i++) {
    bytes[1 + PROFILE_NAME_LENGTH + i] = static_cast<char>((settings[i] + 48) & 0xff);
  }
  // Written beside the old file and renamed over it: a failed save keeps the old profile.
  return writeFileAtomically(profileFileName(slot).c_str(), bytes, sizeof bytes);
}

bool game::saveProfile() {
  if (!isProfileSlot(profileSlot)) return false;
  if (writeProfileFile(profileSlot, PROFILE_STORED_MARKER, profileName, healthSettings)) {
    return true;
  }
  printf("Cannot open file \n");
  return false;
}

bool game::loadProfile() {
  if (!isProfileSlot(profileSlot)) return false;
  FILE* file = openPlainFileForReading(profileFileName(profileSlot).c_str());
  if (file == nullptr) {
    printf("Cannot open file \n");
    return false;
  }
  bool stored = readProfileByte(file) != PROFILE_EMPTY_MARKER;
  if (stored) {
    readProfileBytes(file, profileName, PROFILE_NAME_LENGTH);
    for (int i = 0; i < PROFILE_SETTINGS; i++) healthSettings[i] = readProfileByte(file) - 48;
  }
  fclose(file);
  return stored;
}

namespace {
const menuLine SLOT_CHOICE_LINES[] = {{"Choose a slot for your profile. ", 0, 0},
                                      {"Use up/down to select a slot.", 0, 20},
                                      {"Space to advance, Esc to go back.", 0, 40},
                                      {"Slot 1", 20, 80},
                                      {"Slot 2", 20, 100},
                                      {"Slot 3", 20, 120},
                                      {"Slot 4", 20, 140},
                                      {"Slot 5", 20, 160},
                                      {"WARNING! Existing data will be overwritten", 0, 200},
                                      {"automatically!", 0, 220},
                                      {nullptr, 0, 0}};

const menuLine NAME_ENTRY_LINES[] = {{"Enter Your Name", 0, 0},
                                     {"Use up/down to select letter.", 0, 20},
                                     {"Right to advance, left to go back.", 0, 40},
                                     {"When you're done, press Space to exit.", 0, 60},
                                     {nullptr, 0, 0}};

constexpr int FIRST_NAME_CODE = 32;  // space
constexpr int LAST_NAME_CODE = 126;  // '~'

// Returns the chosen slot, or 0 when the player backed out.
int chooseSlot(game& g) {
  int selection = 1;
  auto drawFrame = [&] {
    fillBlack(g.screen);
    drawWhiteLines(g, SLOT_CHOICE_LINES);
    g.drawText(g.screen, ">", 0, 60 + 20 * selection, 255, 255, 255);
  };
  auto handleInput = [&](menuInput input) {
    if (moveSelection(selection, input, PROFILE_SLOTS, g.toggle_sound)) return menuStep::STAY;
    switch (input) {
      case menuInput::CONFIRM: playMenuSound(g.affirm_sound); return menuStep::FINISH;
      case menuInput::BACK:
        playMenuSound(g.affirm_sound);
        fadeScreen(g.screen, FADE_OUT, MENU_FADE_TICKS);
        return menuStep::LEAVE_NOW;
      default: return menuStep::STAY;
    }
  };
  if (!runMenu("slot choice", g.screen, drawFrame, handleInput)) return 0;
  fadeScreen(g.screen, FADE_OUT, MENU_FADE_TICKS);
  return selection;
}

// The character under the cursor; a name read from a damaged file may hold codes
// outside the range the player can pick from, which count as the nearest end.
int pickableCode(char c) {
  int code = static_cast<unsigned char>(c);
  if (code < FIRST_NAME_CODE) return FIRST_NAME_CODE;
  if (code > LAST_NAME_CODE) return LAST_NAME_CODE;
  return code;
}

void drawNameEntryFrame(game& g, int cursor) {
  fillBlack(g.screen);
  drawWhiteLines(g, NAME_ENTRY_LINES);
  for (int i = 0; i < PROFILE_NAME_LENGTH; i++) {
    char letter[2] = {g.profileName[i], '\0'};
    int blue = i == cursor ? 0 : 255;
    g.drawText(g.screen, letter, 10 * i, 80, 255, 255, blue);
  }
  g.drawText(g.screen, "*", 10 * cursor, 100, 255, 255, 0);
}

// Edits profileName in place until the player presses Space.
void enterName(game& g) {
  int cursor = 0;
  int code = 'A';
  auto handleInput = [&](menuInput input) {
    switch (input) {
      case menuInput::UP:
        if (code > FIRST_NAME_CODE) code--;
        g.profileName[cursor] = static_cast<char>(code);
        break;
      case menuInput::DOWN:
        if (code < LAST_NAME_CODE) code++;
        g.profileName[cursor] = static_cast<char>(code);
        break;
      case menuInput::RIGHT:
        if (cursor < PROFILE_NAME_LENGTH - 1) cursor++;
        code = pickableCode(g.profileName[cursor]);
        break;
      case menuInput::LEFT:
        if (cursor > 0) cursor--;
        code = pickableCode(g.profileName[cursor]);
        break;
      case menuInput::CONFIRM: playMenuSound(g.affirm_sound); return menuStep::FINISH;
      default: return menuStep::STAY;
    }
    playMenuSound(g.toggle_sound);
    return menuStep::STAY;
  };
  runMenu(
      "name entry", g.screen, [&] { drawNameEntryFrame(g, cursor); }, handleInput);
}
}  // namespace

bool game::createProfile() {
  int slot = chooseSlot(*this);
  if (slot == 0) return false;
  enterName(*this);
  profileSlot = slot;
  saveProfile();  // a failed save is reported; the profile still lives in the game object
  fadeScreen(screen, FADE_OUT, MENU_FADE_TICKS);
  return true;
}
