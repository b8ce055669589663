// Replacing a small file all at once, so that a failed or interrupted save leaves the old
// file as it was: the bytes go to a temporary file in the save folder's hidden folder for
// unfinished saves, which is then renamed over it.
#pragma once
#include <sys/types.h>  // ssize_t, on Windows too (MinGW-w64)

#include <cstddef>

// Writes length bytes to path through a temporary file in unfinishedSavesFolder() (made if
// missing; flushed to disk before the rename, which stays on the save folder's file system).
// Returns false, with the temporary file removed and any old file untouched, when a step fails.
// Prints nothing: callers report in their own words.
bool writeFileAtomically(const char* path, const char* bytes, size_t length);

// Removes a saved file, from the browser's store too; false when it could not be removed.
bool removeSavedFile(const char* path);

// The system calls a save goes through. The game never changes them; tests replace one to
// make that step fail (a full disk, a failing sync) or to stop the process at that moment.
struct atomicFileCalls {
  ssize_t (*writeCall)(int fd, const void* bytes, size_t length);
  int (*syncCall)(int fd);  // the temporary file, then its folder after the rename
  int (*renameCall)(const char* from, const char* to);
};
extern atomicFileCalls atomicFileSystem;
// Puts the real system calls back.
void restoreAtomicFileCalls();
