// Claiming a save folder at start-up: the folder and its empty profile slots are made,
// files already there are kept, a folder another copy holds is refused, and one where no
// lock file can be made is played in all the same.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "frontend/profiles.h"
#include "frontend/save_setup.h"
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
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    ASSERT_EQ(mkdir((folder + "/profiles").c_str(), 0755), 0);
    writeWholeFile(folder + "/profiles/profile02.txt", kept);
    if (r.lockIsAFolder) {
      ASSERT_EQ(mkdir((folder + "/skarnfall.lock").c_str(), 0755), 0);
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
        EXPECT_EQ(bytes.size(), static_cast<size_t>(PROFILE_FILE_BYTES)) << r.name << " " << slot;
      }
    }
    bool lockable = !r.lockIsAFolder;
    EXPECT_EQ(lockSaveFolder(folder), lockable ? saveLock::HELD_ELSEWHERE : saveLock::NO_LOCK_FILE)
        << r.name << ": the claim holds the lock for the whole run";
  }
  setSaveFolder("");
}
