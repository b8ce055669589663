// The health adjustment after a level, and whole runs of the front-end flow.
#include <signal.h>
#include <sys/stat.h>
#ifdef SKARNFALL_WINDOWS
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <algorithm>
#include <filesystem>

#include "engine/level.h"
#include "frontend/game_flow.h"
#include "platform/constants.h"
#include "platform/input.h"
#include "tests/support/menu_script.h"

using namespace menuTest;

namespace {
const char* QUIT_LINE = "\n \n If you can read this nothing should have been added to lives\n";

// Saving replaces the file, so a save shows as a new file even with the same bytes: a new
// inode, or on Windows a new file index.
unsigned long long inodeOf(const std::string& path) {
#ifdef SKARNFALL_WINDOWS
  HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  BY_HANDLE_FILE_INFORMATION info = {};
  GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  return static_cast<unsigned long long>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
#else
  struct stat status = {};
  stat(path.c_str(), &status);
  return status.st_ino;
#endif
}

struct GameFlow : gameTest {};
}  // namespace

TEST(HealthAdjustment, ShotDownAddsOneUpTo99AndCompletionTakesOneDownTo1KeepingTheBest) {
  const struct {
    int levelNumber, health, record, result, healthAfter, recordAfter;
  } rows[] = {
      {1, 3, 0, PLAYER_KILLED, 4, 0},
      {2, 98, 2, PLAYER_KILLED, 99, 2},
      {4, 99, 0, PLAYER_KILLED, 99, 0},
      {0, 3, 0, PLAYER_KILLED, 3, 0},  // 0 is no level
      {1, 1, 0, LEVEL_COMPLETE, 1, 1},
      {2, 4, 2, LEVEL_COMPLETE, 3, 2},
      {3, 3, 0, LEVEL_COMPLETE, 2, 3},
      {4, 2, 5, LEVEL_COMPLETE, 1, 2},
      {10, 7, 0, LEVEL_COMPLETE, 6, 7},
      {2, 5, 4, PLAYER_QUIT, 5, 4},
      // Damaged settings (bytes 0 and 255 read as -48 and 207) are held to 1 to 99 first.
      {1, -48, 0, PLAYER_KILLED, 2, 0},
      {2, 207, 0, LEVEL_COMPLETE, 98, 99},
      {3, 4, 150, LEVEL_COMPLETE, 3, 4},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << "level " << r.levelNumber << " health " << r.health
                                    << " record " << r.record << " result " << r.result);
    int settings[100] = {};
    settings[r.levelNumber] = r.health;
    settings[r.levelNumber + 20] = r.record;
    EXPECT_EQ(printedBy([&] { adjustHealthSettings(settings, r.levelNumber, r.result); }),
              r.result == PLAYER_QUIT ? QUIT_LINE : "");
    EXPECT_EQ(settings[r.levelNumber], r.healthAfter);
    EXPECT_EQ(settings[r.levelNumber + 20], r.recordAfter);
    settings[r.levelNumber] = settings[r.levelNumber + 20] = 0;
    EXPECT_EQ(std::count(settings, settings + 100, 0), 100) << "no other setting changes";
  }
}

TEST_F(GameFlow, BackingOutSavesNothingAndQuittingALevelChangesNoSettingButSaves) {
  std::vector<int> settings = startingSettings();
  settings[1] = 5;
  settings[21] = 4;
  writeWholeFile(slotPath(2), profileFile('1', "Quitter", settings));
  unsigned long long before = inodeOf(slotPath(2));
  // A second name keeps the old file, so a file that replaces it cannot reuse its number.
  std::filesystem::create_hard_link(slotPath(2), "slot2-before");
  bool played = false;
  player.watch([&] { played = played || level::playing != nullptr; });
  auto backAtProfiles = [&] {
    return played && level::playing == nullptr &&
           showsText(*g, g->screen, "Please choose a profile", 0, 0);
  };
  player.then(keys(SDLK_SPACE))
      .then(keys(SDLK_SPACE))
      .then(keys(SDLK_DOWN) + keys(SDLK_SPACE))  // slot 2
      .then(keys(SDLK_ESCAPE))                   // out of the level selection
      .then(keys(SDLK_DOWN) + keys(SDLK_SPACE),  // slot 2 again
            [&] {
              EXPECT_TRUE(showsText(*g, g->screen, "Please choose a profile", 0, 0));
              EXPECT_EQ(inodeOf(slotPath(2)), before) << "backing out saves nothing";
            })
      .then(keys(SDLK_SPACE))  // Forest
      // Space leaves the table and outcome screens, Escape quits the level and is
      // ignored by those screens.
      .repeatUntil([&] { return played; }, keys(SDLK_SPACE))
      .repeatUntil([&] { return level::playing == nullptr; }, keys(SDLK_SPACE) + keys(SDLK_ESCAPE))
      .repeatUntil(backAtProfiles, keys(SDLK_SPACE))
      .then(keys(SDLK_ESCAPE));
  player.start();
  std::string printed = printedBy([&] { g->play(); });
  EXPECT_TRUE(player.finished());
  EXPECT_TRUE(played);
  EXPECT_EQ(countOf(printed, QUIT_LINE), 1u);
  EXPECT_NE(printed.find("Serial Cable"), std::string::npos);
  EXPECT_EQ(readWholeFile(slotPath(2)), profileFile('1', "Quitter", settings));
  EXPECT_NE(inodeOf(slotPath(2)), before) << "the profile is saved after every level";
  remove("slot2-before");
  EXPECT_EQ(g->healthSettings[1], 5);
  EXPECT_EQ(g->healthSettings[21], 4);
}

#ifndef SKARNFALL_WINDOWS  // a forked child, ended by a signal: POSIX only
// A level's results are on disk before its outcome screen waits for the player: leaving at
// once there or at the table after it keeps them, in the bytes of an ordinary run.
TEST(LeavingAtOnce, KeepsTheTableAndTheProfileALevelEarned) {
  const struct {
    const char* what;
    const char* text;  // left once the level has been played and this shows; null: never
    int y, signalled;  // left by this signal, 0 by the window's close button
  } rows[] = {{"Space through both", nullptr, 0, 0},
              {"close button at the outcome", "Press Space (PC) or B (GP2X).", 140, 0},
              {"SIGTERM at the table", "High Scores For This Level", 0, SIGTERM}};
  scratchGameDir scratch;
  std::vector<int> settings = startingSettings();
  std::string ordinaryTable;
  for (const auto& r : rows) {
    settings[7] = 2;  // level 7 is complete at once: grade B, 7500 points
    settings[27] = 0;
    writeWholeFile(slotPath(1), profileFile('1', "Leaver", settings));
    unlink("records/highscores7.txt");
    int status = childWaitStatus([&] {
      game g;
      g.profileSlot = 1;
      g.loadProfile();
      enableDesktopInput(true);  // the close button's event ends the game
      virtualClock::install(1);
      bool played = false;
      virtualClock::onEveryRead([&](Uint32 now) {
        played = played || level::playing != nullptr;
        if (now % 1000 != 0) return;
        SDL_Event quit = {SDL_QUIT};
        bool there = played && r.text != nullptr && showsText(g, g.screen, r.text, 0, r.y);
        if (!there) pushKeyPress(SDLK_SPACE);
        if (there && r.signalled == 0) SDL_PushEvent(&quit);
        if (there && r.signalled != 0) raise(r.signalled);
      });
      adjustHealthSettings(g.healthSettings, 7, g.playLevel(7));
      g.saveProfile();
      _exit(9);  // not left at once
    });
    int left = WIFSIGNALED(status) ? WTERMSIG(status) : WEXITSTATUS(status);
    EXPECT_EQ(left, r.text == nullptr ? 9 : r.signalled) << r.what;
    std::string table = readWholeFile("records/highscores7.txt");
    if (r.text == nullptr) ordinaryTable = table;
    EXPECT_EQ(table.substr(0, 49), "000007500" + padded("Leaver") + "0000000000") << r.what;
    EXPECT_EQ(table, ordinaryTable) << r.what;
    settings[7] = 1;
    settings[27] = 2;
    EXPECT_EQ(readWholeFile(slotPath(1)), profileFile('1', "Leaver", settings)) << r.what;
  }
}
#endif
