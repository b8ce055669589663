// The profile selection screen: pick one of the five stored profiles, create a new one,
// or leave the game.
#include <cstring>

#include "engine/fade.h"
#include "shell/constants.h"
#include "shell/game.h"
#include "shell/menu.h"
#include "shell/profiles.h"

namespace {
constexpr int CREATE_NEW = PROFILE_SLOTS + 1;  // the line below the five slots

const menuLine PROFILE_SCREEN_LINES[] = {
    {"Please choose a profile", 0, 0},
    {"Use up/down to select a slot.", 0, 20},
    {"Space to advance, Esc to quit.", 0, 40},
    {"Slot 1", 20, 80},
    {"Slot 2", 20, 100},
    {"Slot 3", 20, 120},
    {"Slot 4", 20, 140},
    {"Slot 5", 20, 160},
    {"Create New", 20, 180},
    {nullptr, 0, 0}};

struct slotList {
  char names[PROFILE_SLOTS][PROFILE_NAME_LENGTH + 1];
  bool empty[PROFILE_SLOTS];
};

void startEmpty(slotList& slots) {
  for (int n = 0; n < PROFILE_SLOTS; n++) {
    memcpy(slots.names[n], "EMPTY", 5);
    memset(slots.names[n] + 5, ' ', PROFILE_NAME_LENGTH - 5);
    slots.names[n][PROFILE_NAME_LENGTH] = '\0';
  }
}

// Reads which slots hold a profile and their names. An empty slot keeps the name it was
// shown with. False when a slot file cannot be opened.
bool readSlots(slotList& slots) {
  for (int n = 0; n < PROFILE_SLOTS; n++) slots.empty[n] = true;
  for (int n = 0; n < PROFILE_SLOTS; n++) {
    FILE* file = fopen(profileFileName(n + 1).c_str(), "r");
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

void drawProfileFrame(game& g, const slotList& slots, int selection) {
  fillBlack(g.screen);
  drawWhiteLines(g, PROFILE_SCREEN_LINES);
  g.drawText(g.screen, ">", 0, 60 + 20 * selection, 255, 255, 255);
  for (int n = 0; n < PROFILE_SLOTS; n++) {
    g.drawText(g.screen, slots.names[n], 150, 80 + 20 * n, 255, 255, 255);
  }
}
// Runs the profile creation and reads the slots again; false when a slot file is lost.
bool createFromList(game& g, slotList& slots) {
  playMenuSound(g.affirm_sound);
  fadeScreen(g.screen, FADE_OUT, MENU_FADE_TICKS);
  g.createProfile();
  return readSlots(slots);
}
}  // namespace

bool game::showProfileScreen() {
  slotList slots;
  startEmpty(slots);
  if (!readSlots(slots)) return false;
  int selection = 1;
  bool refresh = false;  // fade in again after a profile creation
  bool chosen = false;
  auto drawFrame = [&] {
    drawProfileFrame(*this, slots, selection);
    if (!refresh) return;
    fadeScreen(screen, FADE_IN, MENU_FADE_TICKS);
    refresh = false;
  };
  auto handleInput = [&](menuInput input) {
    if (chosen) return menuStep::FINISH;  // later inputs cannot change the confirmed slot
    if (moveSelection(selection, input, CREATE_NEW, toggle_sound)) return menuStep::STAY;
    if (input == menuInput::BACK) {
      playMenuSound(affirm_sound);
      return menuStep::LEAVE_NOW;
    }
    if (input != menuInput::CONFIRM) return menuStep::STAY;
    if (selection == CREATE_NEW) {
      refresh = true;
      return createFromList(*this, slots) ? menuStep::STAY : menuStep::LEAVE_NOW;
    }
    if (slots.empty[selection - 1]) return menuStep::STAY;
    playMenuSound(affirm_sound);
    chosen = true;
    return menuStep::FINISH;
  };
  if (!runMenu(screen, drawFrame, handleInput)) return false;
  profileSlot = selection;
  loadProfile();
  fadeScreen(screen, FADE_OUT, MENU_FADE_TICKS);
  return true;
}
