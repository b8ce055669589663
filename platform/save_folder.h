// Where the player's saves live (profiles/ and records/), held once for the whole run:
// the folder's prefix for save paths, its lock against a second copy, and the hidden folder
// where saves are written before they are renamed into place.
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
// Puts the real lock call back.
void restoreSaveFolderCalls();

// The game's own hidden folder beside profiles/ and records/ that holds saves being
// written: saveFolderPrefix() + UNFINISHED_SAVES. Nothing a player keeps goes there.
constexpr const char* UNFINISHED_SAVES = ".unfinished-saves";
std::string unfinishedSavesFolder();
// Makes folder's UNFINISHED_SAVES and removes every file in it, left there by saves that
// were cut short; returns how many. Only safe while the folder's lock is held, when no
// other save can be under way. Nothing outside that hidden folder is touched.
int removeStaleSaveTemps(const std::string& folder);
