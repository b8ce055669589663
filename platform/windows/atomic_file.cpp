// The write-to-temporary-then-rename save on Windows, where rename does not replace a file:
// the temporary file is flushed with FlushFileBuffers (_commit) and moved over the old one
// by MoveFileExW, replacing it and writing through to the disk before it returns.
#include "platform/atomic_file.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <string>

#include "platform/save_folder.h"
#include "platform/windows/wide_path.h"

namespace {
ssize_t writeBytes(int fd, const void* bytes, size_t length) {
  return _write(fd, bytes, static_cast<unsigned>(length));
}

int replaceFile(const char* from, const char* to) {
  DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  return MoveFileExW(widePath(from).c_str(), widePath(to).c_str(), flags) ? 0 : -1;
}
}  // namespace

atomicFileCalls atomicFileSystem = {writeBytes, _commit, replaceFile};

void restoreAtomicFileCalls() { atomicFileSystem = {writeBytes, _commit, replaceFile}; }

namespace {
// A short write is carried on from where it stopped; one that takes nothing ends the save.
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

// A new file of its own in the folder for unfinished saves (made on first use), named by
// the process and a count; -1 if none can be made.
int makeTemporary(const std::string& path, std::string& tempName) {
  static unsigned count = 0;
  std::string folder = unfinishedSavesFolder();
  CreateDirectoryW(widePath(folder).c_str(), nullptr);
  std::string base = folder + "/" + path.substr(path.find_last_of("/\\") + 1) + "." +
                     std::to_string(GetCurrentProcessId()) + ".";
  for (int tries = 0; tries < 100; tries++) {
    tempName = base + std::to_string(++count);
    int fd = -1;
    _wsopen_s(&fd, widePath(tempName).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
              _SH_DENYRW, _S_IREAD | _S_IWRITE);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}
}  // namespace

bool writeFileAtomically(const char* path, const char* bytes, size_t length) {
  if (path == nullptr || path[0] == '\0' || (bytes == nullptr && length > 0)) return false;
  std::string tempName;
  int fd = makeTemporary(path, tempName);
  if (fd < 0) return false;
  bool written = writeAll(fd, bytes, length) && atomicFileSystem.syncCall(fd) == 0;
  if (_close(fd) != 0) written = false;
  if (!written || atomicFileSystem.renameCall(tempName.c_str(), path) != 0) {
    DeleteFileW(widePath(tempName).c_str());
    return false;
  }
  return true;
}

bool removeSavedFile(const char* path) {
  return path != nullptr && DeleteFileW(widePath(path).c_str()) != 0;
}
