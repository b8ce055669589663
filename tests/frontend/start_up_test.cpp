// Start-up: the desktop options and where saves go.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "frontend/command_line.h"
#include "frontend/save_setup.h"
#include "platform/save_folder.h"
#include "tests/support/headless.h"

// A refused line exits with status 2, its reason on standard error.
TEST(CommandLine, OptionsAndRefusals) {
  struct row {
    std::vector<const char*> args;
    commandAction action;
    bool windowed;
    int scale;
  } rows[] = {
      {{}, commandAction::PLAY, false, 3},
      {{"--window"}, commandAction::PLAY, true, 3},
      {{"--scale=16", "--window", "--fullscreen"}, commandAction::PLAY, false, 16},
      {{"--scale", "2"}, commandAction::PLAY, true, 2},
      {{"--fullscreen", "--scale=4"}, commandAction::PLAY, true, 4},
      {{"--scale", "5", "--fullscreen"}, commandAction::PLAY, false, 5},
      {{"--window", "--help"}, commandAction::HELP, true, 3},
      {{"--version", "--bogus"}, commandAction::VERSION, false, 3},
      {{"--window", "--controls"}, commandAction::CONTROLS, true, 3},
      {{"--bogus"}, commandAction::REFUSE, false, 3},
      {{"-window"}, commandAction::REFUSE, false, 3},
      {{"--scale"}, commandAction::REFUSE, false, 3},
      {{"--scale", "0"}, commandAction::REFUSE, false, 3},
      {{"--scale", "17"}, commandAction::REFUSE, false, 3},
      {{"--scale", "2x"}, commandAction::REFUSE, false, 3},
      {{"--scale="}, commandAction::REFUSE, false, 3},
      {{"--watch", "/saves/best.run", "--window"}, commandAction::PLAY, true, 3},
      {{"--watch"}, commandAction::REFUSE, false, 3},
      {{"--watch", ""}, commandAction::REFUSE, false, 3},
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
    if (r.action == commandAction::REFUSE) {
      EXPECT_EQ(answerCommandLine(got), 2) << line;
    }
  }
}

// Without a usable HOME (unset, empty or relative: a service, a cron job) the account's
// entry in the password database names the home; with neither the game says why.
const char* accountHome;
TEST(SaveFolder, OnlyAnInstalledGameSavesInTheDataHome) {
  scratchGameDir scratch;
  const std::string home = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "/";
  const char* (*passwordDatabase)() = accountHomeLookup;
  struct row {
    bool marker;
    const char* xdg;      // null: unset
    const char* home;     // null: unset
    const char* account;  // the password database's home; null: no entry
    std::string expected;
    bool failed;
  } rows[] = {
      {false, "/data", nullptr, nullptr, "", false},
      {true, "/data", nullptr, nullptr, "/data/skarnfall", false},
      {true, nullptr, "/home/p", "/acct", "/home/p/.local/share/skarnfall", false},
      {true, "", "/home/p", nullptr, "/home/p/.local/share/skarnfall", false},
      {true, "relative", "/home/p", nullptr, "/home/p/.local/share/skarnfall", false},
      {true, nullptr, nullptr, "/acct", "/acct/.local/share/skarnfall", false},
      {true, nullptr, "", "/acct", "/acct/.local/share/skarnfall", false},
      {true, nullptr, "home/p", "/acct", "/acct/.local/share/skarnfall", false},
      {true, nullptr, nullptr, nullptr, "", true},
      {true, nullptr, "home/p", "", "", true},
      {true, nullptr, nullptr, "acct", "", true},
  };
  for (const row& r : rows) {
    if (r.marker) writeWholeFile(SAVES_IN_DATA_HOME_MARKER, "");
    setOrUnsetEnv("XDG_DATA_HOME", r.xdg);
    setOrUnsetEnv("HOME", r.home);
    accountHome = r.account;
    accountHomeLookup = [] { return accountHome; };
    std::string error;
    std::string line = std::string(r.home ? r.home : "unset") + " " + (r.account ? r.account : "-");
    EXPECT_EQ(chooseSaveFolder(scratch.path, error), r.expected) << line;
    EXPECT_EQ(error.find("no home folder") != std::string::npos, r.failed) << line << error;
  }
  accountHomeLookup = passwordDatabase;
  setenv("HOME", home.c_str(), 1);
}

// Start-up enters the game's own directory first: a game that cannot find it claims no
// saves and says why, rather than looking for its media wherever it was started from.
TEST(SaveFolder, StartUpStopsWhenTheGameDirectoryIsNotFound) {
  for (bool entered : {false, true}) {
    scratchGameDir scratch;
    std::string error;
    EXPECT_EQ(settleIn(
                  entered ? +[] { return true; } : +[] { return false; }, false, error),
              entered)
        << error;
    EXPECT_EQ(error.find("cannot find the folder that holds the game") != std::string::npos,
              !entered);
    EXPECT_EQ(lockSaveFolder(scratch.path), entered ? saveLock::HELD_ELSEWHERE : saveLock::TAKEN);
  }
}
