// A profile file's bytes, saved and loaded back, and profile creation through its slot
// choice and name entry screens. Failed saves: atomic_file_test.
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

// A file cut short reads each missing byte as 255: a name character 255, a setting 207.
// An empty slot's file leaves the game object as it was.
TEST_F(ProfileFiles, BytesPastTheEndReadAs255) {
  const struct {
    std::string file, name;
  } rows[] = {{"1Sh", "Sh" + std::string(28, '\xff')},
              {"", std::string(30, '\xff')},
              {"0Sh", padded("Kept")}};
  g->profileSlot = 4;
  for (const auto& r : rows) {
    memcpy(g->profileName, padded("Kept").c_str(), 30);
    for (int& setting : g->healthSettings) setting = 5;
    writeWholeFile(slotPath(4), r.file);
    bool stored = r.file[0] != '0';
    EXPECT_EQ(g->loadProfile(), stored) << r.file;
    EXPECT_EQ(name(), r.name) << r.file;
    EXPECT_EQ(std::count(g->healthSettings, g->healthSettings + 100, stored ? 207 : 5), 100);
  }
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
