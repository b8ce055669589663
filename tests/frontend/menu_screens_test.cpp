// The profile selection, level selection, title and instruction screens, driven by
// scripted key presses and joystick buttons.
#include <sys/stat.h>
#include <unistd.h>

#include "platform/globals.h"
#include "platform/input.h"
#include "tests/support/menu_script.h"

using namespace menuTest;

namespace {
struct ProfileScreen : gameTest {
  std::string stored(int slot, const std::string& pilot, int health) {
    std::vector<int> settings = startingSettings();
    settings[1] = health;
    std::string bytes = profileFile('1', pilot, settings);
    writeWholeFile(slotPath(slot), bytes);
    return bytes;
  }
  int marked() { return markedLine(g->screen, 80, 20, 6); }
};

struct LevelScreen : gameTest {
  int marked() { return markedLine(g->screen, 40, 10, 4); }
};

struct TitleScreens : gameTest {
  // Puts a plain picture of one colour where a screen looks for its picture.
  void makePicture(const std::string& folder, const std::string& file, Uint8 red) {
    unlink(folder.c_str());  // the scratch folder links to the built media
    mkdir(folder.c_str(), 0755);
    SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, 320, 240, 16, 0, 0, 0, 0);
    SDL_FillRect(picture, nullptr, SDL_MapRGB(picture->format, red, 0, 0));
    SDL_SaveBMP(picture, (folder + "/" + file).c_str());
    SDL_FreeSurface(picture);
  }
  void removePictures(const std::string& folder) {
    unlink(folder.c_str());
    mkdir(folder.c_str(), 0755);
  }
};

size_t countOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    count++;
  }
  return count;
}
}  // namespace

TEST_F(ProfileScreen, ListsTheSlotsWrapsAndIgnoresEmptySlots) {
  stored(2, "Pilot", 3);
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
  startCapturingStdout();
  EXPECT_FALSE(g->showProfileScreen());
  std::string printed = stopCapturingStdout();
  EXPECT_TRUE(player.finished());
  EXPECT_EQ(printed.find("Fading Out"), std::string::npos) << "Escape leaves without a fade";
  EXPECT_EQ(sounds.toggles(), 2);
  EXPECT_EQ(sounds.affirms(), 1);
  EXPECT_EQ(name(), "A" + std::string(29, ' ')) << "nothing was loaded";
}

TEST_F(ProfileScreen, TheConfirmedSlotIsLoadedWhateverFollows) {
  stored(5, "Fifth", 8);
  player.then(button(0) + button(0)).then(keys(SDLK_SPACE) + keys(SDLK_DOWN) + keys(SDLK_SPACE), [&] {
    EXPECT_EQ(marked(), 5);
  });
  player.start();
  startCapturingStdout();
  EXPECT_TRUE(g->showProfileScreen());
  std::string printed = stopCapturingStdout();
  EXPECT_EQ(g->profileSlot, 5);
  EXPECT_EQ(name(), padded("Fifth"));
  EXPECT_EQ(g->healthSettings[1], 8);
  EXPECT_EQ(countOf(printed, "Fading Out"), 1u);
}

TEST_F(ProfileScreen, AMissingSlotFileEndsTheScreen) {
  unlink(slotPath(4).c_str());
  startCapturingStdout();
  EXPECT_FALSE(g->showProfileScreen());
  EXPECT_EQ(stopCapturingStdout(), "Cannot open file \n");
}

TEST_F(ProfileScreen, CreateNewReturnsToTheListWithTheNewProfile) {
  player.then(keys(SDLK_UP) + keys(SDLK_SPACE))
      .then(keys(SDLK_DOWN, 2) + keys(SDLK_SPACE))  // slot 3
      .then(keys(SDLK_DOWN) + keys(SDLK_SPACE))     // the name "B"
      // Back out of a second creation: the list comes back unchanged.
      .then(keys(SDLK_SPACE),
            [&] {
              EXPECT_TRUE(showsText(*g, g->screen, padded("B"), 150, 120));
              EXPECT_EQ(marked(), 6);
            })
      .then(keys(SDLK_ESCAPE))
      .then(keys(SDLK_UP, 3) + keys(SDLK_SPACE), [&] {
        EXPECT_TRUE(showsText(*g, g->screen, "Please choose a profile", 0, 0));
        EXPECT_TRUE(showsText(*g, g->screen, padded("B"), 150, 120));
        EXPECT_EQ(marked(), 6);
      });
  player.start();
  EXPECT_TRUE(g->showProfileScreen());
  EXPECT_TRUE(player.finished());
  EXPECT_EQ(g->profileSlot, 3);
  EXPECT_EQ(name(), padded("B"));
}

TEST_F(ProfileScreen, ASlotFileLostDuringACreationEndsTheScreen) {
  player.then(keys(SDLK_UP) + keys(SDLK_SPACE))
      .then(keys(SDLK_SPACE))
      .then(keys(SDLK_SPACE), [&] { unlink(slotPath(5).c_str()); });
  player.start();
  startCapturingStdout();
  EXPECT_FALSE(g->showProfileScreen());
  std::string printed = stopCapturingStdout();
  EXPECT_TRUE(player.finished());
  EXPECT_NE(printed.find("Cannot open file \n"), std::string::npos);
  EXPECT_EQ(readWholeFile(slotPath(1)).substr(0, 2), "1A") << "the new profile was saved";
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
  startCapturingStdout();
  EXPECT_EQ(g->showLevelScreen(), 2);
  std::string printed = stopCapturingStdout();
  EXPECT_EQ(printed.find("If you can read this then your Serial Cable is working!\n"), 0u);
  EXPECT_EQ(countOf(printed, "Fading Out"), 1u);
  EXPECT_EQ(sounds.toggles(), 3);
  EXPECT_EQ(sounds.affirms(), 1);
  EXPECT_EQ(g->healthSettings[22], 3) << "the screen changes nothing";
}

TEST_F(LevelScreen, InputsPendingAfterAChoiceStillCount) {
  player.then(keys(SDLK_SPACE) + keys(SDLK_DOWN, 2) + button(13));
  player.start();
  startCapturingStdout();
  EXPECT_EQ(g->showLevelScreen(), 3);
  EXPECT_EQ(countOf(stopCapturingStdout(), "Fading Out"), 2u);
}

TEST_F(LevelScreen, EscapeReturnsZeroAfterAFade) {
  player.then(keys(SDLK_DOWN) + button(15) + keys(SDLK_SPACE));
  player.start();
  startCapturingStdout();
  EXPECT_EQ(g->showLevelScreen(), 0);
  EXPECT_EQ(countOf(stopCapturingStdout(), "Fading Out"), 1u);
  EXPECT_FALSE(queueIsEmpty()) << "what follows the Escape is left for the next screen";
}

TEST_F(LevelScreen, ADesktopPadWorksThroughTheInputSeam) {
  enableDesktopInput(true);
  SDL_Event hat = {};
  hat.type = SDL_JOYHATMOTION;
  hat.jhat.type = SDL_JOYHATMOTION;
  hat.jhat.value = SDL_HAT_DOWN;
  SDL_Event centred = hat;
  centred.jhat.value = SDL_HAT_CENTERED;
  // The hat leans down (button 4), then the pad's south face button is the B button.
  player.then({hat, centred}).then(button(0), [&] { EXPECT_EQ(marked(), 2); });
  player.start();
  int chosen = g->showLevelScreen();
  enableDesktopInput(false);
  EXPECT_EQ(chosen, 2);
}

TEST_F(TitleScreens, TheTitleWaitsForSpaceOrButton13Only) {
  makePicture("sprites", "splash1.bmp", 255);
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
  startCapturingStdout();
  g->showTitleScreen();
  std::string printed = stopCapturingStdout();
  EXPECT_TRUE(stillUp);
  EXPECT_TRUE(player.finished());
  EXPECT_EQ(printed,
            "Entering Title Screen\nFading In12Leaving Title Screen\nFading Out12");
  EXPECT_EQ(sounds.affirms(), 1);
}

TEST_F(TitleScreens, TwoQueuedConfirmationsPlayTwiceAndLeaveOnce) {
  soundCounter sounds(*g);
  player.then(keys(SDLK_SPACE) + button(13));
  player.start();
  g->showTitleScreen();
  EXPECT_EQ(sounds.affirms(), 2);
  EXPECT_TRUE(queueIsEmpty());
  // The next press confirms the instructions.
  script next;
  next.then(keys(SDLK_SPACE));
  next.start();
  startCapturingStdout();
  g->showInstructions();
  EXPECT_EQ(stopCapturingStdout(), "Fading In12Fading Out12");
  EXPECT_TRUE(next.finished());
}

TEST_F(TitleScreens, AMissingPictureShowsBlackAndStillWaits) {
  removePictures("backgrounds");
  SDL_FillRect(g->screen, nullptr, SDL_MapRGB(g->screen->format, 255, 255, 255));
  bool waited = false;
  player.then(keys(SDLK_SPACE), [&] {
    waited = true;
    EXPECT_EQ(litPixels(g->screen, 0, 0, 320, 240), 0);
    EXPECT_EQ(litPixels(globalScreen, 0, 0, 320, 240), 0);
  });
  player.start();
  g->showInstructions();
  EXPECT_TRUE(waited);
}
