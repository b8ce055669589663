// The save folder's run-long lock (flock) and the clearing of its unfinished saves, on
// POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/save_folder.h"

saveFolderCalls saveFolderSystem = {flock};

void restoreSaveFolderCalls() { saveFolderSystem = {flock}; }

saveLock lockSaveFolder(const std::string& folder) {
  std::string path = (folder.empty() ? std::string(".") : folder) + "/skarnfall.lock";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return saveLock::NO_LOCK_FILE;
  if (saveFolderSystem.lockCall(fd, LOCK_EX | LOCK_NB) != 0) {
    // Only a lock that is already held means a second copy. A file system that keeps no
    // locks (ENOLCK on some network folders) is treated like a folder without a lock file.
    bool heldElsewhere = errno == EWOULDBLOCK;
    close(fd);
    return heldElsewhere ? saveLock::HELD_ELSEWHERE : saveLock::NO_LOCK_FILE;
  }
  return saveLock::TAKEN;  // the lock lives as long as the descriptor, which is kept open
}

int removeStaleSaveTemps(const std::string& folder) {
  std::string dir = (folder.empty() ? std::string(".") : folder) + "/" + UNFINISHED_SAVES;
  mkdir(dir.c_str(), 0700);
  struct stat info;
  if (lstat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return 0;  // not a link
  int removed = 0;
  DIR* listing = opendir(dir.c_str());
  if (listing == nullptr) return 0;
  while (dirent* entry = readdir(listing)) {
    if (unlink((dir + "/" + entry->d_name).c_str()) == 0) removed++;
  }
  closedir(listing);
  return removed;
}
