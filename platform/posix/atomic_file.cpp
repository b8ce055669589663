// The write-to-temporary-then-rename save used for records and profiles, on POSIX systems
// (the desktop, the handheld and the browser's emulation): fsync, then rename.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/save_folder.h"

#ifdef SKARNFALL_WEB
#include "platform/web/browser_store.h"
#endif

namespace {
#ifdef SKARNFALL_WEB
// The browser's files are in memory, and its fsync copies the whole save folder to the
// store (IDBFS) at the browser's default durability: the store takes each file on its own.
int syncFile(int) { return 0; }
#else
int syncFile(int fd) { return fsync(fd); }
#endif
}  // namespace

atomicFileCalls atomicFileSystem = {write, syncFile, rename};

void restoreAtomicFileCalls() { atomicFileSystem = {write, syncFile, rename}; }

namespace {
// A short write (a signal, a nearly full disk) is carried on from where it stopped; a write
// that takes nothing or fails ends the save.
bool writeAll(int fd, const char* bytes, size_t length) {
  while (length > 0) {
    ssize_t written = atomicFileSystem.writeCall(fd, bytes, length);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    length -= static_cast<size_t>(written);
  }
  return true;
}

// The replacement keeps the old file's permissions; a new file gets the usual ones.
mode_t modeForReplacement(const char* path) {
  struct stat old;
  if (stat(path, &old) == 0) return old.st_mode & 07777;
#ifdef SKARNFALL_WEB
  // The browser's file system has no users, and its umask starts at 0777, which would
  // leave a new file unreadable.
  return 0644;
#endif
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

std::string directoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A new temporary file in the folder for unfinished saves, made on first use; -1 if none.
int makeTemporary(const std::string& path, std::string& tempName) {
  std::string folder = unfinishedSavesFolder();
  tempName = folder + "/" + path.substr(path.rfind('/') + 1) + ".XXXXXX";
  int fd = mkstemp(&tempName[0]);
  if (fd >= 0 || errno != ENOENT || mkdir(folder.c_str(), 0700) != 0) return fd;
  tempName = folder + "/" + path.substr(path.rfind('/') + 1) + ".XXXXXX";
  return mkstemp(&tempName[0]);
}

// Makes the rename itself durable. The new content is already in place, so a directory
// that cannot be synced does not make the save fail.
void syncDirectory(const std::string& dir) {
  int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  atomicFileSystem.syncCall(fd);
  close(fd);
}
}  // namespace

bool writeFileAtomically(const char* path, const char* bytes, size_t length) {
  if (path == nullptr || path[0] == '\0' || (bytes == nullptr && length > 0)) return false;
  std::string tempName;
  int fd = makeTemporary(path, tempName);
  if (fd < 0) return false;
  bool written = fchmod(fd, modeForReplacement(path)) == 0 && writeAll(fd, bytes, length) &&
                 atomicFileSystem.syncCall(fd) == 0;
  if (close(fd) != 0) written = false;
#ifdef SKARNFALL_WEB
  // The browser's files live in memory: the store gets the new bytes before the rename,
  // so a store that refuses them leaves both copies as they were.
  if (written) written = storeBrowserSave(tempName.c_str(), path);
#endif
  if (!written || atomicFileSystem.renameCall(tempName.c_str(), path) != 0) {
#ifdef SKARNFALL_WEB
    // Stored but not renamed: the store takes the unchanged file back, or drops the new
    // one where there was none.
    if (written && access(path, F_OK) == 0) {
      storeBrowserSave(path, path);
    } else if (written) {
      forgetBrowserSave(path);
    }
#endif
    unlink(tempName.c_str());
    return false;
  }
  syncDirectory(directoryOf(path));
  return true;
}

bool removeSavedFile(const char* path) {
  if (unlink(path) != 0) return false;
#ifdef SKARNFALL_WEB
  forgetBrowserSave(path);  // a file the store kept would come back at the next start
#endif
  syncDirectory(directoryOf(path));
  return true;
}
