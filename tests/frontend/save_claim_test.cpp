// Claiming a save folder at start-up: the folder and its empty profile slots are made,
// files already there are kept, a folder another copy holds is refused, and one where no
// lock file can be made is played in all the same. Saves are written in the game's hidden
// folder, which the claim clears; no other file is ever removed.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "frontend/profiles.h"
#include "frontend/save_setup.h"
#include "platform/atomic_file.h"
#include "platform/save_folder.h"
#include "tests/support/headless.h"

TEST(SaveClaim, MakesTheSlotsKeepsWhatIsThereAndRefusesOnlyAHeldFolder) {
  scratchGameDir scratch;
  const std::string kept = "2kept by the player";
  const struct {
    const char* name;
    bool lockIsAFolder;  // no lock file can be made
    bool heldElsewhere;
    bool claimed;
  } rows[] = {
      {"fresh", false, false, true},
      {"no lock file", true, false, true},
      {"held", false, true, false},
  };
  for (const auto& r : rows) {
    std::string folder = scratch.path + "/data " + r.name;
    ASSERT_TRUE(std::filesystem::create_directories(folder + "/profiles"));
    writeWholeFile(folder + "/profiles/profile02.txt", kept);
    if (r.lockIsAFolder) {
      ASSERT_TRUE(std::filesystem::create_directory(folder + "/skarnfall.lock"));
    }
    if (r.heldElsewhere) {
      ASSERT_EQ(lockSaveFolder(folder), saveLock::TAKEN);
    }
    std::string error;
    EXPECT_EQ(claimSaveFolder(folder, error), r.claimed) << r.name << ": " << error;
    EXPECT_EQ(error.empty(), r.claimed) << r.name;
    if (!r.claimed) continue;
    EXPECT_EQ(access((folder + "/records").c_str(), W_OK), 0) << r.name;
    for (int slot = 1; slot <= PROFILE_SLOTS; slot++) {
      std::string file = profileFileName(slot);
      EXPECT_EQ(file.rfind(folder + "/profiles/", 0), 0u) << r.name << ": " << file;
      std::string bytes = readWholeFile(file);
      if (slot == 2) {
        EXPECT_EQ(bytes, kept) << r.name;
      } else {
        EXPECT_EQ(bytes,
                  "0" + std::string(PROFILE_NAME_LENGTH, ' ') + std::string(PROFILE_SETTINGS, '0'))
            << r.name << " " << slot << ": an empty slot";
      }
    }
    bool lockable = !r.lockIsAFolder;
    EXPECT_EQ(lockSaveFolder(folder), lockable ? saveLock::HELD_ELSEWHERE : saveLock::NO_LOCK_FILE)
        << r.name << ": the claim holds the lock for the whole run";
  }
  setSaveFolder("");
}

// With the lock held the claim clears the hidden folder of unfinished saves; a lock that
// fails in any way but "held" plays on without the clean-up. A player's files stay, however
// much they look like a temporary.
int lockErrno;
TEST(SaveClaim, ClearsOnlyTheHiddenFolderAndOnlyWithTheLock) {
  const std::string left = std::string(UNFINISHED_SAVES) + "/profile01.txt.AbC123";
  const char* kept[] = {"profiles/profile01.txt.tmp-backup",
                        "profiles/profile01.txt.tmp-AbC123",
                        "records/highscores10.txt.tmp-x9Y8z7",
                        "profiles/profile01.txt.backup",
                        "profiles/profile01.txt.AbC123",
                        "profiles/.unfinished-saves.txt",
                        "profiles/.unfinished-saves/profile01.txt.AbC123",
                        "profile01.txt.AbC123"};
  const struct {
    int lockErrno;  // 0: the lock is taken
    bool claimed, cleared;
  } rows[] = {
      {0, true, true}, {EWOULDBLOCK, false, false}, {ENOLCK, true, false}, {EINTR, true, false}};
  for (const auto& r : rows) {
    scratchGameDir scratch;
    std::filesystem::create_directory(UNFINISHED_SAVES);
    std::filesystem::create_directory("profiles/.unfinished-saves");
    writeWholeFile(left, "x");
    for (const char* name : kept) writeWholeFile(name, "x");
    lockErrno = r.lockErrno;
    if (r.lockErrno != 0) {
      saveFolderSystem.lockCall = [](int, int) {
        errno = lockErrno;
        return -1;
      };
    }
    std::string error;
    EXPECT_EQ(claimSaveFolder("", error), r.claimed) << r.lockErrno;
    restoreSaveFolderCalls();
    std::string held = "another copy of Skarnfall is using the saves in " +
                       std::filesystem::current_path().string();
    EXPECT_EQ(error == held, !r.claimed) << error;
    EXPECT_EQ(access(left.c_str(), F_OK) != 0, r.cleared) << r.lockErrno;
    for (const char* name : kept) EXPECT_EQ(access(name, F_OK), 0) << name;
  }
}

// A save cut short before its rename leaves its temporary in the hidden folder (made on
// first use), on the save's own file system, where the next claim clears it.
TEST(SaveClaim, AnUnfinishedSaveIsLeftOnlyInTheHiddenFolder) {
  scratchGameDir scratch;
  atomicFileSystem.renameCall = [](const char*, const char*) { return 0; };
  EXPECT_TRUE(writeFileAtomically("records/highscores3.txt", "x", 1));
  restoreAtomicFileCalls();
  std::vector<std::string> unfinished = directoryEntries(UNFINISHED_SAVES);
  ASSERT_EQ(unfinished.size(), 1u);
  EXPECT_EQ(unfinished[0].rfind("highscores3.txt.", 0), 0u) << unfinished[0];
  struct stat folder, saves;
  ASSERT_EQ(stat(UNFINISHED_SAVES, &folder), 0);
  ASSERT_EQ(stat("records", &saves), 0);
  EXPECT_EQ(folder.st_dev, saves.st_dev);
#ifndef SKARNFALL_WINDOWS  // kept private there by the account's own folder, not by mode bits
  EXPECT_EQ(folder.st_mode & 0777, 0700u);
#endif
  EXPECT_EQ(access("records/highscores3.txt", F_OK), -1);
  std::string error;
  ASSERT_TRUE(claimSaveFolder("", error)) << error;
  EXPECT_TRUE(directoryEntries(UNFINISHED_SAVES).empty());
}
