// Where the player's saves live (profiles/ and records/), held once for the whole run:
// the folder's prefix for save paths, its lock against a second copy, and the clean-up
// of temporary files that interrupted saves left behind.
#pragma once
#include <string>

// Save paths are formed as saveFolderPrefix() + "profiles/..." or "records/...": "" (the
// game directory, the working directory) until setSaveFolder names another folder.
void setSaveFolder(const std::string& folder);
const char* saveFolderPrefix();

// Takes a non-blocking lock on folder/skarnfall.lock ("" for the working directory), held
// until the process ends (the descriptor is never closed). HELD_ELSEWHERE only when another
// process holds it; NO_LOCK_FILE when the file cannot be made or the folder keeps no locks.
enum class saveLock { TAKEN, HELD_ELSEWHERE, NO_LOCK_FILE };
saveLock lockSaveFolder(const std::string& folder);

// The lock's system call. The game never changes it; tests replace it to play a file system
// whose locks fail in other ways than "already held".
struct saveFolderCalls {
  int (*lockCall)(int fd, int operation);
};
extern saveFolderCalls saveFolderSystem;

// True for the names an atomic save gives its temporary file: a save file's name
// ("<name>.txt") followed by ".tmp-" and six letters or digits.
bool isSaveTempName(const char* name);
// Removes such files from folder/profiles and folder/records; returns how many. Only safe
// while the folder's lock is held, when no other save can be under way.
int removeStaleSaveTemps(const std::string& folder);
