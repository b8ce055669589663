// The level selection screen: the four levels with the best grade the current profile
// has earned in each.
#include <cstdio>

#include "engine/fade.h"
#include "frontend/game.h"
#include "frontend/menu.h"
#include "frontend/profiles.h"
#include "platform/constants.h"

namespace {
constexpr int LEVEL_CHOICES = 4;

const menuLine LEVEL_SCREEN_LINES[] = {{"Please choose a level", 0, 0},
                                       {"Level", 20, 20},
                                       {"Your Best Grade", 100, 20},
                                       {"Forest", 20, 40},
                                       {"Ruin", 20, 50},
                                       {"City", 20, 60},
                                       {"Mountain", 20, 70},
                                       {nullptr, 0, 0}};

// The grade earned by completing a level with this starting health: 1 is "A" up to 6
// "F"; 0 (never completed) and anything else is "U".
const char* gradeForStartingHealth(int health) {
  static const char* const GRADES[] = {"A", "B", "C", "D", "E", "F"};
  if (health < 1 || health > 6) return "U";
  return GRADES[health - 1];
}

void drawLevelFrame(game& g, int selection) {
  fillBlack(g.screen);
  drawWhiteLines(g, LEVEL_SCREEN_LINES);
  g.drawText(g.screen, ">", 0, 30 + 10 * selection, 255, 255, 255);
  for (int levelNumber = 1; levelNumber <= LEVEL_CHOICES; levelNumber++) {
    int record = g.healthSettings[levelNumber + COMPLETION_RECORD_OFFSET];
    g.drawText(g.screen, gradeForStartingHealth(record), 100, 30 + 10 * levelNumber, 255, 255, 255);
  }
}
}  // namespace

int game::showLevelScreen() {
  printf("If you can read this then your Serial Cable is working!\n");
  int selection = 1;
  auto handleInput = [&](menuInput input) {
    if (moveSelection(selection, input, LEVEL_CHOICES, toggle_sound)) return menuStep::STAY;
    if (input != menuInput::CONFIRM && input != menuInput::BACK) return menuStep::STAY;
    playMenuSound(affirm_sound);
    fadeScreen(screen, FADE_OUT, MENU_FADE_TICKS);
    return input == menuInput::CONFIRM ? menuStep::FINISH : menuStep::LEAVE_NOW;
  };
  bool chosen = runMenu(
      "levels", screen, [&] { drawLevelFrame(*this, selection); }, handleInput);
  return chosen ? selection : 0;
}
