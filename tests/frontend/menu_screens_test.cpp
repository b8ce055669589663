// The profile selection, level selection, title and instruction screens, driven by
// scripted key presses and joystick buttons.
#include <unistd.h>

#include <filesystem>

#include "platform/globals.h"
#include "platform/input.h"
#include "tests/support/menu_script.h"

using namespace menuTest;

namespace {
struct ProfileScreen : gameTest {
  int marked() { return markedLine(g->screen, 80, 20, 6); }
};

struct LevelScreen : gameTest {
  int marked() { return markedLine(g->screen, 40, 10, 4); }
};

using TitleScreens = gameTest;
}  // namespace

TEST_F(ProfileScreen, ListsTheSlotsWrapsAndIgnoresEmptySlots) {
  writeWholeFile(slotPath(2), profileFile('1', "Pilot", startingSettings()));
  soundCounter sounds(*g);
  player
      .then(keys(SDLK_UP),
            [&] {
              EXPECT_TRUE(showsText(*g, g->screen, "Please choose a profile", 0, 0));
              EXPECT_TRUE(showsText(*g, g->screen, "Space to advance, Esc to quit.", 0, 40));
              EXPECT_TRUE(showsText(*g, g->screen, "Slot 5", 20, 160));
              EXPECT_TRUE(showsText(*g, g->screen, "Create New", 20, 180));
              EXPECT_TRUE(showsText(*g, g->screen, "EMPTY" + std::string(25, ' '), 150, 80));
              EXPECT_TRUE(showsText(*g, g->screen, padded("Pilot"), 150, 100));
              EXPECT_TRUE(showsText(*g, g->screen, "EMPTY" + std::string(25, ' '), 150, 160));
              EXPECT_EQ(marked(), 1);
            })
      .then(keys(SDLK_DOWN), [&] { EXPECT_EQ(marked(), 6); })
      .then(keys(SDLK_SPACE) + button(13), [&] { EXPECT_EQ(marked(), 1); })
      .then(keys(SDLK_ESCAPE), [&] {
        EXPECT_EQ(marked(), 1);
        EXPECT_EQ(sounds.affirms(), 0) << "an empty slot cannot be chosen";
      });
  player.start();
  std::string printed = printedBy([&] { EXPECT_FALSE(g->showProfileScreen()); });
  EXPECT_TRUE(player.finished());
  EXPECT_EQ(printed.find("Fading Out"), std::string::npos) << "Escape leaves without a fade";
  EXPECT_EQ(sounds.toggles(), 2);
  EXPECT_EQ(sounds.affirms(), 1);
  EXPECT_EQ(name(), "A" + std::string(29, ' ')) << "nothing was loaded";
}

TEST_F(LevelScreen, ShowsBestGradesAndWrapsTheSelection) {
  g->healthSettings[21] = 1;
  g->healthSettings[22] = 3;
  g->healthSettings[23] = -1;
  g->healthSettings[24] = 7;
  g->healthSettings[1] = 6;  // a starting health is not a grade
  soundCounter sounds(*g);
  player
      .then(keys(SDLK_UP),
            [&] {
              EXPECT_TRUE(showsText(*g, g->screen, "Please choose a level", 0, 0));
              EXPECT_TRUE(showsText(*g, g->screen, "Your Best Grade", 100, 20));
              EXPECT_TRUE(showsText(*g, g->screen, "Mountain", 20, 70));
              EXPECT_TRUE(showsText(*g, g->screen, "A", 100, 40));
              EXPECT_TRUE(showsText(*g, g->screen, "C", 100, 50));
              EXPECT_TRUE(showsText(*g, g->screen, "U", 100, 60));
              EXPECT_TRUE(showsText(*g, g->screen, "U", 100, 70));
              EXPECT_EQ(marked(), 1);
            })
      .then(button(4), [&] { EXPECT_EQ(marked(), 4); })
      .then(keys(SDLK_DOWN), [&] { EXPECT_EQ(marked(), 1); })
      .then(keys(SDLK_SPACE), [&] { EXPECT_EQ(marked(), 2); });
  player.start();
  std::string printed = printedBy([&] { EXPECT_EQ(g->showLevelScreen(), 2); });
  EXPECT_EQ(printed.find("If you can read this then your Serial Cable is working!\n"), 0u);
  EXPECT_EQ(countOf(printed, "Fading Out"), 1u);
  EXPECT_EQ(sounds.toggles(), 3);
  EXPECT_EQ(sounds.affirms(), 1);
  EXPECT_EQ(g->healthSettings[22], 3) << "the screen changes nothing";
}

TEST_F(LevelScreen, ScriptsOfKeysButtonsAndADesktopPad) {
  SDL_Event hat = {};
  hat.type = SDL_JOYHATMOTION;
  hat.jhat.value = SDL_HAT_DOWN;
  SDL_Event centred = hat;
  centred.jhat.value = SDL_HAT_CENTERED;
  const struct {
    const char* what;
    std::vector<SDL_Event> events;
    int chosen;
    size_t fadeOuts;
    bool leftOver;  // what follows the choice is left for the next screen
    bool desktopPad;
  } scripts[] = {
      {"inputs pending after a choice still count",
       keys(SDLK_SPACE) + keys(SDLK_DOWN, 2) + button(13), 3, 2, false, false},
      {"Escape returns zero after a fade", keys(SDLK_DOWN) + button(15) + keys(SDLK_SPACE), 0, 1,
       true, false},
      // The hat leans down (button 4), then the pad's south face button is the B button.
      {"a desktop pad works through the input seam",
       std::vector<SDL_Event>{hat, centred} + button(0), 2, 1, false, true},
  };
  for (const auto& s : scripts) {
    SCOPED_TRACE(s.what);
    enableDesktopInput(s.desktopPad);
    script player;
    player.then(s.events);
    player.start();
    EXPECT_EQ(countOf(printedBy([&] { EXPECT_EQ(g->showLevelScreen(), s.chosen); }), "Fading Out"),
              s.fadeOuts);
    EXPECT_EQ(!queueIsEmpty(), s.leftOver);
    drainEvents();
  }
  enableDesktopInput(false);
}

TEST_F(TitleScreens, TheTitleWaitsForSpaceOrButton13Only) {
  // A plain red picture where the title looks for its own.
  std::filesystem::remove_all("sprites");  // the scratch folder's link to the built media
  std::filesystem::create_directory("sprites");
  SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0, 0, 0, 0);
  SDL_FillRect(picture, nullptr, SDL_MapRGB(picture->format, 255, 0, 0));
  SDL_SaveBMP(picture, "sprites/splash1.bmp");
  SDL_FreeSurface(picture);
  soundCounter sounds(*g);
  bool stillUp = false;
  player
      .then(keys(SDLK_ESCAPE) + keys(SDLK_RETURN) + keys(SDLK_UP) + button(12) + button(15) +
                button(0),
            [&] {
              Uint8 r, gr, b;
              readPixel(g->screen, 160, 120, r, gr, b);
              EXPECT_EQ(r, 255) << "the picture is shown";
            })
      .then(button(13), [&] { stillUp = true; });
  player.start();
  std::string printed = printedBy([&] { g->showTitleScreen(); });
  EXPECT_TRUE(stillUp);
  EXPECT_TRUE(player.finished());
  EXPECT_EQ(printed, "Entering Title Screen\nFading In12Leaving Title Screen\nFading Out12");
  EXPECT_EQ(sounds.affirms(), 1);
}
