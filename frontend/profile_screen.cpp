// The profile selection screen: pick one of the five stored profiles, create a new one,
// or leave the game.
#include <cstring>

#include "engine/fade.h"
#include "frontend/game.h"
#include "frontend/menu.h"
#include "frontend/profiles.h"
#include "platform/constants.h"

namespace {
constexpr int CREATE_NEW = PROFILE_SLOTS + 1;  // the line below the five slots

const menuLine PROFILE_SCREEN_LINES[] = {{"Please choose a profile", 0, 0},
                                         {"Use up/down to select a slot.", 0, 20},
                                         {"Space to advance, Esc to quit.", 0, 40},
                                         {"Slot 1", 20, 80},
                                         {"Slot 2", 20, 100},
                                         {"Slot 3", 20, 120},
                                         {"Slot 4", 20, 140},
                                         {"Slot 5", 20, 160},
                                         {"Create New", 20, 180},
                                         {nullptr, 0, 0}};

void drawProfileFrame(game& g, const profileSlotList& slots, int selection) {
  fillBlack(g.screen);
  drawWhiteLines(g, PROFILE_SCREEN_LINES);
  g.drawText(g.screen, ">", 0, 60 + 20 * selection, 255, 255, 255);
  for (int n = 0; n < PROFILE_SLOTS; n++) {
    g.drawText(g.screen, slots.names[n], 150, 80 + 20 * n, 255, 255, 255);
  }
}
// Runs the profile creation and reads the slots again; false when a slot file is lost.
bool createFromList(game& g, profileSlotList& slots) {
  playMenuSound(g.affirm_sound);
  fadeScreen(g.screen, FADE_OUT, MENU_FADE_TICKS);
  g.createProfile();
  return readProfileSlots(slots);
}
}  // namespace

bool game::showProfileScreen() {
  profileSlotList slots;
  startEmptySlots(slots);
  if (!readProfileSlots(slots)) return false;
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
  if (!runMenu("profiles", screen, drawFrame, handleInput)) return false;
  profileSlot = selection;
  loadProfile();
  fadeScreen(screen, FADE_OUT, MENU_FADE_TICKS);
  return true;
}
