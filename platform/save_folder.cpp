// The save folder: path prefix, run-long lock and stale temporary files.
#include "platform/save_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cstring>

namespace {
std::string prefix;

// writeFileAtomically names its temporary file path + ".XXXXXX", which mkstemp fills
// with letters and digits.
const int TEMP_SUFFIX_CHARS = 6;
const char SAVE_EXTENSION[] = ".txt.";
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
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    return saveLock::HELD_ELSEWHERE;
  }
  return saveLock::TAKEN;  // the lock lives as long as the descriptor, which is kept open
}

bool isSaveTempName(const char* name) {
  size_t length = std::strlen(name);
  size_t extension = sizeof SAVE_EXTENSION - 1;
  if (length <= extension + TEMP_SUFFIX_CHARS) return false;
  const char* suffix = name + length - TEMP_SUFFIX_CHARS;
  if (std::strncmp(suffix - extension, SAVE_EXTENSION, extension) != 0) return false;
  for (int i = 0; i < TEMP_SUFFIX_CHARS; i++) {
    if (!std::isalnum(static_cast<unsigned char>(suffix[i]))) return false;
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
