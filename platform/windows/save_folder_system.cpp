// The save folder's run-long lock (LockFileEx) and the clearing of its unfinished saves, on
// Windows.
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

#include "platform/save_folder.h"
#include "platform/windows/wide_path.h"

namespace {
// An exclusive lock on the whole file, refused at once when another process holds it.
int lockWholeFile(int fd, int) {
  HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  OVERLAPPED from = {};
  if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &from)) {
    return 0;
  }
  errno = GetLastError() == ERROR_LOCK_VIOLATION ? EWOULDBLOCK : ENOLCK;
  return -1;
}
}  // namespace

saveFolderCalls saveFolderSystem = {lockWholeFile};

void restoreSaveFolderCalls() { saveFolderSystem = {lockWholeFile}; }

saveLock lockSaveFolder(const std::string& folder) {
  std::string path = (folder.empty() ? std::string(".") : folder) + "/skarnfall.lock";
  int fd = -1;
  _wsopen_s(&fd, widePath(path).c_str(), _O_RDWR | _O_CREAT | _O_BINARY | _O_NOINHERIT, _SH_DENYNO,
            _S_IREAD | _S_IWRITE);
  if (fd < 0) return saveLock::NO_LOCK_FILE;
  if (saveFolderSystem.lockCall(fd, 0) != 0) {
    bool heldElsewhere = errno == EWOULDBLOCK;
    _close(fd);
    return heldElsewhere ? saveLock::HELD_ELSEWHERE : saveLock::NO_LOCK_FILE;
  }
  return saveLock::TAKEN;  // the lock lives as long as the descriptor, which is kept open
}

int removeStaleSaveTemps(const std::string& folder) {
  std::wstring dir =
      widePath((folder.empty() ? std::string(".") : folder) + "/" + UNFINISHED_SAVES);
  CreateDirectoryW(dir.c_str(), nullptr);
  DWORD attributes = GetFileAttributesW(dir.c_str());
  // Not a folder, or a link to one elsewhere: left alone.
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return 0;
  }
  WIN32_FIND_DATAW entry;
  HANDLE listing = FindFirstFileW((dir + L"/*").c_str(), &entry);
  if (listing == INVALID_HANDLE_VALUE) return 0;
  int removed = 0;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    if (DeleteFileW((dir + L"/" + entry.cFileName).c_str())) removed++;
  } while (FindNextFileW(listing, &entry));
  FindClose(listing);
  return removed;
}
