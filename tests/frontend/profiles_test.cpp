// Profile files (save, load, damaged and missing files, failed saves) and profile
// creation through its slot choice and name entry screens.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "tests/support/menu_script.h"

using namespace menuTest;

namespace {
const std::vector<std::string> FIVE_SLOTS = {"profile01.txt", "profile02.txt", "profile03.txt",
                                             "profile04.txt", "profile05.txt"};

struct ProfileFiles : gameTest {};
struct CreateProfile : gameTest {};
}  // namespace

TEST_F(ProfileFiles, SaveWritesMarkerNameAndOneByteSettingsAndLoadReadsThemBack) {
  memcpy(g->profileName, padded("Tester").c_str(), 30);
  g->healthSettings[0] = 0;
  g->healthSettings[3] = 99;
  g->healthSettings[4] = 10;
  g->healthSettings[23] = 2;
  g->healthSettings[99] = 7;
  g->profileSlot = 2;
  ASSERT_TRUE(g->saveProfile());

  std::string bytes = readWholeFile(slotPath(2));
  ASSERT_EQ(bytes.size(), 131u);
  EXPECT_EQ(bytes.substr(0, 31), "1" + padded("Tester"));
  EXPECT_EQ(static_cast<unsigned char>(bytes[31 + 3]), 147);
  EXPECT_EQ(bytes[31 + 4], ':');
  EXPECT_EQ(bytes[31 + 0], '0');
  EXPECT_EQ(bytes[31 + 23], '2');
  EXPECT_EQ(bytes[130], '7');
  EXPECT_EQ(directoryEntries("profiles"), FIVE_SLOTS) << "no temporary file may be left behind";

  game* saved = g;
  int expected[100];
  memcpy(expected, saved->healthSettings, sizeof expected);
  memcpy(g->profileName, padded("Someone else").c_str(), 30);
  for (int& setting : g->healthSettings) setting = 42;
  ASSERT_TRUE(g->loadProfile());
  EXPECT_EQ(name(), padded("Tester"));
  EXPECT_EQ(g->healthSettings[3], 99);
  EXPECT_EQ(g->healthSettings[4], 10);
  EXPECT_EQ(g->healthSettings[23], 2);
  EXPECT_EQ(g->healthSettings[0], 0);
  EXPECT_EQ(g->profileName[30], '\0');
}

TEST_F(ProfileFiles, AnEmptySlotOrAMissingFileLeavesTheGameUnchanged) {
  g->profileSlot = 1;  // the scratch slots all begin with "0"
  memcpy(g->profileName, padded("Keep me").c_str(), 30);
  g->healthSettings[2] = 5;
  EXPECT_FALSE(g->loadProfile());
  EXPECT_EQ(name(), padded("Keep me"));
  EXPECT_EQ(g->healthSettings[2], 5);
  EXPECT_EQ(g->healthSettings[31], 0);

  unlink(slotPath(4).c_str());
  g->profileSlot = 4;
  startCapturingStdout();
  EXPECT_FALSE(g->loadProfile());
  EXPECT_EQ(stopCapturingStdout(), "Cannot open file \n");
  EXPECT_EQ(name(), padded("Keep me"));
  EXPECT_EQ(g->healthSettings[2], 5);
}

TEST_F(ProfileFiles, MissingBytesOfAShortFileReadAs255) {
  writeWholeFile(slotPath(3), "1Bob");
  g->profileSlot = 3;
  EXPECT_TRUE(g->loadProfile());
  EXPECT_EQ(name(), "Bob" + std::string(27, '\xff'));
  EXPECT_EQ(g->healthSettings[0], 255 - 48);
  EXPECT_EQ(g->healthSettings[99], 255 - 48);

  writeWholeFile(slotPath(3), "");  // an empty file does not begin with "0"
  EXPECT_TRUE(g->loadProfile());
  EXPECT_EQ(name(), std::string(30, '\xff'));
  EXPECT_EQ(g->profileName[30], '\0');
}

TEST_F(ProfileFiles, SlotsOutsideOneToFiveTouchNoFile) {
  std::string before = readWholeFile(slotPath(1));
  for (int slot : {0, 6, -1, 10}) {
    g->profileSlot = slot;
    EXPECT_FALSE(g->saveProfile()) << slot;
    EXPECT_FALSE(g->loadProfile()) << slot;
  }
  EXPECT_EQ(directoryEntries("profiles"), FIVE_SLOTS);
  EXPECT_EQ(readWholeFile(slotPath(1)), before);
  EXPECT_EQ(name(), "A" + std::string(29, ' '));
}

TEST_F(ProfileFiles, AFailedSaveKeepsTheOldProfile) {
  std::string old = profileFile('1', "Old pilot", startingSettings());
  writeWholeFile(slotPath(2), old);
  g->profileSlot = 2;
  memcpy(g->profileName, padded("New pilot").c_str(), 30);

  // The disk fills up after 100 of the 131 bytes.
  signal(SIGXFSZ, SIG_IGN);
  rlimit original;
  getrlimit(RLIMIT_FSIZE, &original);
  rlimit small = original;
  small.rlim_cur = 100;
  startCapturingStdout();
  setrlimit(RLIMIT_FSIZE, &small);
  bool saved = g->saveProfile();
  setrlimit(RLIMIT_FSIZE, &original);
  EXPECT_EQ(stopCapturingStdout(), "Cannot open file \n");
  EXPECT_FALSE(saved);
  EXPECT_EQ(readWholeFile(slotPath(2)), old);
  EXPECT_EQ(directoryEntries("profiles"), FIVE_SLOTS) << "the half-written file must be removed";

  // No profiles directory at all.
  ASSERT_EQ(system("rm -rf profiles && touch profiles"), 0);
  startCapturingStdout();
  EXPECT_FALSE(g->saveProfile());
  EXPECT_EQ(stopCapturingStdout(), "Cannot open file \n");
  EXPECT_EQ(name(), padded("New pilot"));
}

TEST_F(CreateProfile, SlotThreeWithATypedName) {
  std::string others = readWholeFile(slotPath(1));
  player
      .then(keys(SDLK_DOWN, 2) + keys(SDLK_SPACE),
            [&] {
              EXPECT_TRUE(showsText(*g, g->screen, "Choose a slot for your profile. ", 0, 0));
              EXPECT_TRUE(showsText(*g, g->screen, "Slot 3", 20, 120));
              EXPECT_TRUE(showsText(*g, g->screen, "automatically!", 0, 220));
              EXPECT_EQ(markedLine(g->screen, 80, 20, 5), 1);
            })
      // "B", then "O" at the next place (a space is code 32, "O" 79).
      .then(keys(SDLK_DOWN) + keys(SDLK_RIGHT) + keys(SDLK_DOWN, 47),
            [&] { EXPECT_TRUE(showsText(*g, g->screen, "Enter Your Name", 0, 0)); })
      .then(keys(SDLK_SPACE), [&] { EXPECT_EQ(litPixels(g->screen, 10, 100, 10, 10) > 0, true); });
  player.start();
  EXPECT_TRUE(g->createProfile());
  EXPECT_TRUE(player.finished());
  EXPECT_EQ(g->profileSlot, 3);
  EXPECT_EQ(name(), padded("BO"));
  EXPECT_EQ(readWholeFile(slotPath(3)), profileFile('1', "BO", startingSettings()));
  for (int slot : {1, 2, 4, 5}) EXPECT_EQ(readWholeFile(slotPath(slot)), others) << slot;
}

TEST_F(CreateProfile, NameEntryStopsAtItsBounds) {
  player.then(button(13))  // slot 1
      .then(keys(SDLK_UP, 35))    // "A" to space in 33 steps; two more keep the space
      .then(keys(SDLK_DOWN, 95),  // space to "~" in 94; one more keeps "~"
            [&] { EXPECT_EQ(g->profileName[0], ' '); })
      .then(keys(SDLK_RIGHT, 30),  // to the last place, and once more
            [&] { EXPECT_EQ(g->profileName[0], '~'); })
      .then(keys(SDLK_DOWN),  // the space there becomes "!"
            [&] { EXPECT_GT(litPixels(g->screen, 290, 100, 10, 10), 0) << "the * under place 29"; })
      .then(keys(SDLK_LEFT, 30) + keys(SDLK_UP))  // back to the first place: "~" to "}"
      .then(keys(SDLK_SPACE), [&] {
        EXPECT_GT(litPixels(g->screen, 0, 100, 10, 10), 0);
        EXPECT_EQ(litPixels(g->screen, 290, 100, 10, 10), 0);
      });
  player.start();
  EXPECT_TRUE(g->createProfile());
  EXPECT_TRUE(player.finished());
  EXPECT_EQ(name(), "}" + std::string(28, ' ') + "!");
  EXPECT_EQ(g->profileName[30], '\0');
  EXPECT_EQ(readWholeFile(slotPath(1)).substr(0, 31), "1}" + std::string(28, ' ') + "!");
}

TEST_F(CreateProfile, SlotChoiceWrapsAndBacksOutWithNothingSaved) {
  soundCounter sounds(*g);
  std::string blank = readWholeFile(slotPath(5));
  player.then(keys(SDLK_UP), [&] { EXPECT_EQ(markedLine(g->screen, 80, 20, 5), 1); })
      .then(button(4), [&] { EXPECT_EQ(markedLine(g->screen, 80, 20, 5), 5); })
      .then(button(15), [&] { EXPECT_EQ(markedLine(g->screen, 80, 20, 5), 1); });
  player.start();
  startCapturingStdout();
  EXPECT_FALSE(g->createProfile());
  std::string printed = stopCapturingStdout();
  EXPECT_TRUE(player.finished());
  EXPECT_NE(printed.find("Fading Out"), std::string::npos);
  EXPECT_EQ(sounds.toggles(), 2);
  EXPECT_EQ(sounds.affirms(), 1);
  EXPECT_EQ(directoryEntries("profiles"), FIVE_SLOTS);
  for (int slot = 1; slot <= 5; slot++) EXPECT_EQ(readWholeFile(slotPath(slot)), blank);

  // Up from slot 1 is slot 5; finishing the name at once keeps it as it stands.
  sounds.reset();
  script again;
  again.then(keys(SDLK_UP) + keys(SDLK_SPACE)).then(keys(SDLK_SPACE) + keys(SDLK_SPACE));
  again.start();
  EXPECT_TRUE(g->createProfile());
  EXPECT_TRUE(again.finished());
  EXPECT_EQ(sounds.affirms(), 3) << "each Space plays the sound";
  EXPECT_EQ(g->profileSlot, 5);
  EXPECT_EQ(readWholeFile(slotPath(5)), profileFile('1', "A", startingSettings()));
}

TEST_F(CreateProfile, NameEntryStartsAtAWhateverTheLoadedNameHolds) {
  std::vector<int> settings = startingSettings();
  settings[1] = 7;
  settings[21] = 2;
  writeWholeFile(slotPath(4), profileFile('1', "Tom", settings));
  g->profileSlot = 4;
  ASSERT_TRUE(g->loadProfile());
  player.then(keys(SDLK_DOWN) + keys(SDLK_SPACE)).then(keys(SDLK_DOWN) + keys(SDLK_SPACE));
  player.start();
  EXPECT_TRUE(g->createProfile());
  EXPECT_EQ(g->profileSlot, 2);
  // The loaded profile's settings go with the new one; slot 4 is left as it was.
  EXPECT_EQ(readWholeFile(slotPath(2)), profileFile('1', "Bom", settings));
  EXPECT_EQ(readWholeFile(slotPath(4)), profileFile('1', "Tom", settings));
}
