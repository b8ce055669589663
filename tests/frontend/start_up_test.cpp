// Start-up: the desktop options, where saves go, the save folder's lock and the clean-up
// of temporary files left by interrupted saves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "frontend/command_line.h"
#include "frontend/save_setup.h"
#include "platform/save_folder.h"
#include "tests/support/headless.h"

TEST(CommandLine, OptionsAndRefusals) {
  struct row {
    std::vector<const char*> args;
    commandAction action;
    bool windowed;
    int scale;
  } rows[] = {
      {{}, commandAction::PLAY, false, 3},
      {{"--window"}, commandAction::PLAY, true, 3},
      {{"--window", "--scale", "2"}, commandAction::PLAY, true, 2},
      {{"--scale=16", "--window", "--fullscreen"}, commandAction::PLAY, false, 16},
      {{"--window", "--help"}, commandAction::HELP, true, 3},
      {{"--version", "--bogus"}, commandAction::VERSION, false, 3},
      {{"--bogus"}, commandAction::REFUSE, false, 3},
      {{"-window"}, commandAction::REFUSE, false, 3},
      {{"--scale"}, commandAction::REFUSE, false, 3},
      {{"--scale", "0"}, commandAction::REFUSE, false, 3},
      {{"--scale", "17"}, commandAction::REFUSE, false, 3},
      {{"--scale", "2x"}, commandAction::REFUSE, false, 3},
      {{"--scale="}, commandAction::REFUSE, false, 3},
  };
  for (const row& r : rows) {
    std::vector<const char*> argv = {"skarnfall"};
    argv.insert(argv.end(), r.args.begin(), r.args.end());
    commandLineOptions got = parseCommandLine(static_cast<int>(argv.size()), argv.data());
    std::string line = r.args.empty() ? "(none)" : r.args[0];
    EXPECT_EQ(got.action, r.action) << line;
    EXPECT_EQ(got.windowed, r.windowed) << line;
    EXPECT_EQ(got.scale, r.scale) << line;
    EXPECT_EQ(got.error.empty(), r.action != commandAction::REFUSE) << line;
  }
}

TEST(SaveFolder, OnlyAnInstalledGameSavesInTheDataHome) {
  scratchGameDir scratch;
  struct row {
    bool marker;
    const char* xdg;  // null: unset
    std::string expected;
  } rows[] = {
      {false, "/data", ""},
      {true, "/data", "/data/skarnfall"},
      {true, nullptr, "/home/p/.local/share/skarnfall"},
      {true, "", "/home/p/.local/share/skarnfall"},
      {true, "relative", "/home/p/.local/share/skarnfall"},
  };
  setenv("HOME", "/home/p", 1);
  for (const row& r : rows) {
    if (r.marker) writeWholeFile(SAVES_IN_DATA_HOME_MARKER, "");
    if (r.xdg != nullptr)
      setenv("XDG_DATA_HOME", r.xdg, 1);
    else
      unsetenv("XDG_DATA_HOME");
    std::string error;
    EXPECT_EQ(chooseSaveFolder(scratch.path, error), r.expected)
        << r.marker << (r.xdg ? r.xdg : "unset");
    EXPECT_EQ(error, "");
  }
}

// One copy of the game owns the saves; with the lock held, temporary files of interrupted
// saves are removed and every other file stays.
TEST(SaveFolder, TheLockKeepsOutASecondCopyAndStaleTemporaryFilesGo) {
  scratchGameDir scratch;
  const char* stale[] = {"profiles/profile01.txt.AbC123", "records/highscores10.txt.x9Y8z7"};
  const char* kept[] = {"profiles/profile02.txt",
                        "profiles/profile01.txt.AbC12",
                        "profiles/profile01.txt.AbC1234",
                        "profiles/profile01.txt.AbC-12",
                        "profiles/notes.AbC123",
                        "records/highscores1.bak.AbC123",
                        "sounds.txt.AbC123"};
  for (const char* name : stale) writeWholeFile(name, "x");
  for (const char* name : kept) writeWholeFile(name, "x");
  std::string error;
  ASSERT_TRUE(claimSaveFolder("", error)) << error;
  EXPECT_FALSE(claimSaveFolder("", error));
  EXPECT_NE(error.find("another copy of Skarnfall is using the saves in /"), std::string::npos);
  EXPECT_EQ(lockSaveFolder(scratch.path), saveLock::HELD_ELSEWHERE);
  for (const char* name : stale) EXPECT_NE(access(name, F_OK), 0) << name;
  for (const char* name : kept) EXPECT_EQ(access(name, F_OK), 0) << name;
  EXPECT_EQ(lockSaveFolder("/nonexistent"), saveLock::NO_LOCK_FILE);
}
