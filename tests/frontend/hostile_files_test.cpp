// Damaged and hostile profile and record files: short and empty files read as the game
// defines them, and names holding every one of the 256 byte values are read back exactly
// and drawn on the profile list, the name entry and the table screen without harm.
#include <unistd.h>

#include "engine/level_run.h"
#include "platform/constants.h"
#include "frontend/game_flow.h"
#include "platform/globals.h"
#include "frontend/profiles.h"
#include "tests/support/level_fixture.h"
#include "tests/support/menu_script.h"
#include "tools/runner/run_session.h"
#include "tools/runner/run_summary.h"

using namespace menuTest;

namespace {
// The 256 byte values, 30 to a name; the last name wraps round to 0 again.
std::string hostileName(int index) {
  std::string name;
  for (int i = 0; i < 30; i++) name += static_cast<char>((30 * index + i) & 0xff);
  return name;
}
const int HOSTILE_NAMES = 9;  // 270 bytes: every value at least once

std::string nameOf(const profileSlotList& slots, int slot) {
  return std::string(slots.names[slot - 1], 30);
}

struct HostileProfiles : gameTest {};

struct HostileTables : LevelFixture {
  std::string dir;
  void SetUp() override {
    LevelFixture::SetUp();
    dir = enterScratchGameDir();
  }
  void TearDown() override {
    leaveScratchGameDir(dir);
    LevelFixture::TearDown();
  }
};
}  // namespace

TEST_F(HostileProfiles, ShortAndEmptySlotFilesAreListedAsTheGameReadsThem) {
  writeWholeFile(slotPath(1), "");           // no marker at all: a profile of 255s
  writeWholeFile(slotPath(2), "0");          // empty slot, nothing more
  writeWholeFile(slotPath(3), "0\xff\x01");  // empty slot: what follows is not read
  writeWholeFile(slotPath(4), "1Al");        // name cut short
  writeWholeFile(slotPath(5), std::string(1000, '9'));  // too long: the rest is ignored
  profileSlotList slots;
  startEmptySlots(slots);
  memcpy(slots.names[2], padded("shown before").c_str(), 30);
  ASSERT_TRUE(readProfileSlots(slots));
  EXPECT_FALSE(slots.empty[0]);
  EXPECT_EQ(nameOf(slots, 1), std::string(30, '\xff'));
  EXPECT_TRUE(slots.empty[1]);
  EXPECT_EQ(nameOf(slots, 2), "EMPTY" + std::string(25, ' '));
  EXPECT_TRUE(slots.empty[2]);
  EXPECT_EQ(nameOf(slots, 3), padded("shown before")) << "an empty slot keeps its name";
  EXPECT_FALSE(slots.empty[3]);
  EXPECT_EQ(nameOf(slots, 4), "Al" + std::string(28, '\xff'));
  EXPECT_EQ(nameOf(slots, 5), std::string(30, '9'));
  for (int n = 0; n < 5; n++) EXPECT_EQ(slots.names[n][30], '\0');

  // A slot file lost part way: the slots before it are read, then the listing stops.
  unlink(slotPath(3).c_str());
  writeWholeFile(slotPath(2), "1Second");
  writeWholeFile(slotPath(4), "1Fourth");
  startCapturingStdout();
  EXPECT_FALSE(readProfileSlots(slots));
  EXPECT_EQ(stopCapturingStdout(), "Cannot open file \n");
  EXPECT_FALSE(slots.empty[1]);
  EXPECT_EQ(nameOf(slots, 4), "Al" + std::string(28, '\xff')) << "slot 4 was not read again";
}

TEST_F(HostileProfiles, NamesOfEveryByteValueAreListedAndDrawnExactly) {
  for (int first = 0; first < HOSTILE_NAMES; first += 5) {
    int count = std::min(5, HOSTILE_NAMES - first);
    for (int n = 0; n < count; n++) {
      writeWholeFile(slotPath(n + 1), profileFile('1', hostileName(first + n), startingSettings()));
    }
    profileSlotList slots;
    startEmptySlots(slots);
    ASSERT_TRUE(readProfileSlots(slots));
    for (int n = 0; n < count; n++) EXPECT_EQ(nameOf(slots, n + 1), hostileName(first + n));

    // The list draws each name as one string: a NUL ends it early, other bytes are glyphs.
    player.then(keys(SDLK_ESCAPE), [&] {
      EXPECT_TRUE(showsText(*g, g->screen, "Create New", 20, 180));
      EXPECT_GT(litPixels(g->screen, 150, 100, 160, 12), 0) << "a name with no NUL is drawn";
    });
    player.start();
    startCapturingStdout();
    EXPECT_FALSE(g->showProfileScreen());
    stopCapturingStdout();
    EXPECT_TRUE(player.finished());
    player = script();
  }
}

TEST_F(HostileProfiles, AHostileNameSurvivesLoadingNameEntryAndSaving) {
  for (int index : {0, 4, 8}) {  // starts with NUL; control bytes and 127; 255 then 0
    SCOPED_TRACE(index);
    std::vector<int> settings = startingSettings();
    writeWholeFile(slotPath(1), profileFile('1', hostileName(index), settings));
    g->profileSlot = 1;
    ASSERT_TRUE(g->loadProfile());
    ASSERT_EQ(name(), hostileName(index));
    // The name entry draws each byte as its own one-character text, NUL included; moving
    // over every position and finishing at once keeps the name as it was.
    player.then(keys(SDLK_DOWN, 4) + keys(SDLK_SPACE))  // slot 5
        .then(keys(SDLK_RIGHT, 29) + keys(SDLK_LEFT, 29) + keys(SDLK_SPACE));
    player.start();
    startCapturingStdout();
    EXPECT_TRUE(g->createProfile());
    stopCapturingStdout();
    EXPECT_TRUE(player.finished());
    player = script();
    EXPECT_EQ(readWholeFile(slotPath(5)), profileFile('1', hostileName(index), settings));
  }
}

TEST_F(HostileTables, NamesOfEveryByteValueAndWildScoresAreReadSavedAndDrawn) {
  std::string bytes;
  for (int i = 0; i < 10; i++) {
    std::string digits;
    for (int j = 0; j < 9; j++) digits += static_cast<char>((0x80 + 37 * i + j) & 0xff);
    bytes += digits + hostileName(i) + std::string(10, static_cast<char>(0xff - i));
  }
  writeWholeFile("records/highscores1.txt", bytes);
  ASSERT_TRUE(lv->loadHighScores("records/highscores1.txt"));
  for (int i = 0; i < 10; i++) {
    EXPECT_EQ(std::string(lv->highScoreNames[i], 30), hostileName(i)) << i;
    EXPECT_EQ(lv->highScoreNames[i][30], '\0');
  }
  // The first record's digits are the bytes 0x80 to 0x88, each taken as signed.
  long long expected = 0;
  for (int j = 0; j < 9; j++) {
    long long place = 1;
    for (int k = j; k < 8; k++) place *= 10;
    expected += (static_cast<signed char>(0x80 + j) - 48) * place;
  }
  EXPECT_EQ(lv->highScores[0], static_cast<int>(static_cast<unsigned int>(expected)));

  // Saved back, the names come out byte for byte and the file keeps its length.
  ASSERT_TRUE(lv->saveHighScores("records/highscores2.txt"));
  std::string saved = readWholeFile("records/highscores2.txt");
  ASSERT_EQ(saved.size(), 490u);
  for (int i = 0; i < 10; i++) EXPECT_EQ(saved.substr(49 * i + 9, 30), hostileName(i)) << i;

  drawHighScoreTable(*lv);
  int lit = 0;
  for (int i = 1; i < 10; i++) lit += litPixels(levelScreen, 160, 20 + 20 * i, 160, 12) > 0;
  EXPECT_EQ(lit, 9) << "every name but the one that starts with NUL leaves pixels";
  EXPECT_GT(litPixels(levelScreen, 0, 20, 150, 12), 0) << "the first score is drawn";
}

TEST_F(HostileProfiles, DamagedSettingsNeverLeaveALevelUnplayable) {
  // Settings bytes of 0 and 255 read as -48 and 207, far outside the 1 to 99 of a health.
  std::string bytes = "1" + padded("Damaged") + std::string(100, '\0');
  bytes[1 + 30 + 2] = '\xff';
  writeWholeFile(slotPath(1), bytes);
  g->profileSlot = 1;
  ASSERT_TRUE(g->loadProfile());
  ASSERT_EQ(g->healthSettings[1], -48);
  ASSERT_EQ(g->healthSettings[2], 207);
  EXPECT_EQ(playableHealth(-48), 1);
  EXPECT_EQ(playableHealth(207), 99);
  EXPECT_EQ(playableHealth(42), 42);

  // Shot down at -48 the next start is 2, not -47; completed at 207 it is 98, and the
  // record is a health that was actually played with.
  adjustHealthSettings(g->healthSettings, 1, PLAYER_KILLED);
  EXPECT_EQ(g->healthSettings[1], 2);
  adjustHealthSettings(g->healthSettings, 2, LEVEL_COMPLETE);
  EXPECT_EQ(g->healthSettings[2], 98);
  EXPECT_EQ(g->healthSettings[22], 99);
}

TEST(DamagedSettings, ALevelStartsWithAPlayableHealth) {
  scratchGameDir scratch;
  runOptions options;
  options.levelNumber = 7;  // no waves: a ship that is alive completes it after its run-out
  options.startHealth = -48;
  runResult r = playRun(options);
  EXPECT_EQ(r.summary.outcome, LEVEL_COMPLETE) << formatSummaryJson(r.summary);
  EXPECT_EQ(r.summary.healthLeft, 1);
}
