// The health adjustment after a level, and whole runs of the front-end flow.
#include <sys/stat.h>
#include <unistd.h>

#include "engine/level.h"
#include "platform/constants.h"
#include "frontend/game_flow.h"
#include "tests/support/menu_script.h"

using namespace menuTest;

namespace {
const char* QUIT_LINE = "\n \n If you can read this nothing should have been added to lives\n";

struct adjusted {
  int health;
  int record;
  std::string printed;
};

adjusted adjust(int levelNumber, int health, int record, int result) {
  int settings[100] = {};
  settings[levelNumber] = health;
  settings[levelNumber + 20] = record;
  startCapturingStdout();
  adjustHealthSettings(settings, levelNumber, result);
  std::string printed = stopCapturingStdout();
  for (int i = 0; i < 100; i++) {
    if (i == levelNumber || i == levelNumber + 20) continue;
    EXPECT_EQ(settings[i], 0) << i;
  }
  return {settings[levelNumber], settings[levelNumber + 20], printed};
}

void expectAdjusted(const adjusted& got, int health, int record) {
  EXPECT_EQ(got.health, health);
  EXPECT_EQ(got.record, record);
  EXPECT_EQ(got.printed, "");
}

// Saving replaces the file, so a save shows as a new inode even with the same bytes.
ino_t inodeOf(const std::string& path) {
  struct stat status = {};
  stat(path.c_str(), &status);
  return status.st_ino;
}

size_t countOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    count++;
  }
  return count;
}

struct GameFlow : gameTest {};
}  // namespace

TEST(HealthAdjustment, ShotDownAddsOneUpTo99) {
  expectAdjusted(adjust(1, 3, 0, PLAYER_KILLED), 4, 0);
  expectAdjusted(adjust(2, 98, 2, PLAYER_KILLED), 99, 2);
  expectAdjusted(adjust(4, 99, 0, PLAYER_KILLED), 99, 0);
  expectAdjusted(adjust(0, 3, 0, PLAYER_KILLED), 3, 0);  // 0 is no level
}

TEST(HealthAdjustment, CompletionKeepsTheLowestRecordAndTakesOneDownTo1) {
  expectAdjusted(adjust(1, 1, 0, LEVEL_COMPLETE), 1, 1);
  expectAdjusted(adjust(2, 4, 2, LEVEL_COMPLETE), 3, 2);
  expectAdjusted(adjust(3, 3, 0, LEVEL_COMPLETE), 2, 3);
  expectAdjusted(adjust(4, 2, 5, LEVEL_COMPLETE), 1, 2);
  expectAdjusted(adjust(10, 7, 0, LEVEL_COMPLETE), 6, 7);
}

TEST(HealthAdjustment, QuittingChangesNothingAndSaysSo) {
  adjusted quit = adjust(2, 5, 4, PLAYER_QUIT);
  EXPECT_EQ(quit.health, 5);
  EXPECT_EQ(quit.record, 4);
  EXPECT_EQ(quit.printed, QUIT_LINE);
}

TEST_F(GameFlow, AMissingProfileFileEndsTheRun) {
  unlink(slotPath(2).c_str());
  player.then(keys(SDLK_SPACE)).then(button(13));
  player.start();
  startCapturingStdout();
  g->play();
  std::string printed = stopCapturingStdout();
  EXPECT_TRUE(player.finished());
  EXPECT_NE(printed.find("Leaving Title Screen\n"), std::string::npos);
  EXPECT_NE(printed.find("Cannot open file \n"), std::string::npos);
}

TEST_F(GameFlow, EscapeOnTheProfileScreenEndsTheRun) {
  std::string blank = readWholeFile(slotPath(1));
  player.then(keys(SDLK_SPACE)).then(keys(SDLK_SPACE)).then(keys(SDLK_ESCAPE));
  player.start();
  g->play();
  EXPECT_TRUE(player.finished());
  for (int slot = 1; slot <= 5; slot++) EXPECT_EQ(readWholeFile(slotPath(slot)), blank);
}

TEST_F(GameFlow, BackingOutOfLevelSelectionPlaysAndSavesNothing) {
  std::vector<int> settings = startingSettings();
  settings[1] = 5;
  std::string stored = profileFile('1', "Runner", settings);
  writeWholeFile(slotPath(1), stored);
  ino_t before = inodeOf(slotPath(1));
  player.then(keys(SDLK_SPACE))
      .then(keys(SDLK_SPACE))
      .then(keys(SDLK_SPACE))   // slot 1
      .then(keys(SDLK_ESCAPE))  // out of the level selection
      .then(keys(SDLK_ESCAPE), [&] {
        EXPECT_TRUE(showsText(*g, g->screen, "Please choose a profile", 0, 0));
      });
  player.start();
  startCapturingStdout();
  g->play();
  std::string printed = stopCapturingStdout();
  EXPECT_TRUE(player.finished());
  EXPECT_EQ(readWholeFile(slotPath(1)), stored);
  EXPECT_EQ(inodeOf(slotPath(1)), before) << "nothing may be saved";
  EXPECT_NE(printed.find("Serial Cable"), std::string::npos);
  EXPECT_EQ(printed.find("nothing should have been added"), std::string::npos);
  EXPECT_EQ(name(), padded("Runner"));
}

TEST_F(GameFlow, QuittingALevelChangesNoSettingButSavesTheProfile) {
  std::vector<int> settings = startingSettings();
  settings[1] = 5;
  settings[21] = 4;
  writeWholeFile(slotPath(2), profileFile('1', "Quitter", settings));
  ino_t before = inodeOf(slotPath(2));
  bool played = false;
  player.watch([&] { played = played || level::playing != nullptr; });
  auto backAtProfiles = [&] {
    return played && level::playing == nullptr &&
           showsText(*g, g->screen, "Please choose a profile", 0, 0);
  };
  player.then(keys(SDLK_SPACE))
      .then(keys(SDLK_SPACE))
      .then(keys(SDLK_DOWN) + keys(SDLK_SPACE))  // slot 2
      .then(keys(SDLK_SPACE))                    // Forest
      // Space leaves the table and outcome screens, Escape quits the level and is
      // ignored by those screens.
      .repeatUntil([&] { return played; }, keys(SDLK_SPACE))
      .repeatUntil([&] { return level::playing == nullptr; }, keys(SDLK_SPACE) + keys(SDLK_ESCAPE))
      .repeatUntil(backAtProfiles, keys(SDLK_SPACE))
      .then(keys(SDLK_ESCAPE));
  player.start();
  startCapturingStdout();
  g->play();
  std::string printed = stopCapturingStdout();
  EXPECT_TRUE(player.finished());
  EXPECT_TRUE(played);
  EXPECT_EQ(countOf(printed, QUIT_LINE), 1u);
  EXPECT_EQ(readWholeFile(slotPath(2)), profileFile('1', "Quitter", settings));
  EXPECT_NE(inodeOf(slotPath(2)), before) << "the profile is saved after every level";
  EXPECT_EQ(g->healthSettings[1], 5);
  EXPECT_EQ(g->healthSettings[21], 4);
}
