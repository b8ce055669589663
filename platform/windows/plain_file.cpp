// Refusing anything but a regular file before reading it, on Windows: read in binary, so
// that the bytes are the same as on every other system.
#include "platform/plain_file.h"

#include <windows.h>

#include "platform/windows/wide_path.h"

FILE* openPlainFileForReading(const char* path) {
  if (path == nullptr) return nullptr;
  std::wstring wide = widePath(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
    return nullptr;
  }
  return _wfopen(wide.c_str(), L"rb");
}
