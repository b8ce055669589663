// The save folder: path prefix, run-long lock and stale temporary files.
#include "platform/save_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "platform/atomic_file.h"

saveFolderCalls saveFolderSystem = {flock};

namespace {
std::string prefix;

// A save file's extension, which the atomic save's SAVE_TEMP_SUFFIX follows.
const char SAVE_EXTENSION[] = ".txt";
}  // namespace

void setSaveFolder(const std::string& folder) {
  prefix = folder;
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
}

const char* saveFolderPrefix() { return prefix.c_str(); }

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

bool isSaveTempName(const char* name) {
  const char* marker = std::strstr(SAVE_TEMP_SUFFIX, "X");  // where mkstemp's letters go
  size_t fixed = static_cast<size_t>(marker - SAVE_TEMP_SUFFIX);
  size_t random = std::strlen(marker);
  size_t extension = sizeof SAVE_EXTENSION - 1;
  size_t length = std::strlen(name);
  if (length <= extension + fixed + random) return false;  // a save file needs a name
  const char* suffix = name + length - random - fixed;
  if (std::strncmp(suffix - extension, SAVE_EXTENSION, extension) != 0) return false;
  if (std::strncmp(suffix, SAVE_TEMP_SUFFIX, fixed) != 0) return false;
  for (const char* c = suffix + fixed; *c != '\0'; c++) {
    if (!std::isalnum(static_cast<unsigned char>(*c))) return false;
  }
  return true;
}

int removeStaleSaveTemps(const std::string& folder) {
  int removed = 0;
  for (const char* sub : {"profiles", "records"}) {
    std::string dir = (folder.empty() ? std::string(".") : folder) + "/" + sub;
    DIR* listing = opendir(dir.c_str());
    if (listing == nullptr) continue;
    while (dirent* entry = readdir(listing)) {
      if (isSaveTempName(entry->d_name) && unlink((dir + "/" + entry->d_name).c_str()) == 0) {
        removed++;
      }
    }
    closedir(listing);
  }
  return removed;
}
