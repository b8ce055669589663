// Moves into the folder of the running program, on Windows.
#include "platform/game_directory.h"

#include <windows.h>

#include "platform/windows/program_folder.h"
#include "platform/windows/wide_path.h"

std::string programFolder() {
  wchar_t path[4 * MAX_PATH];
  DWORD size = sizeof path / sizeof path[0];
  DWORD length = GetModuleFileNameW(nullptr, path, size);
  if (length == 0 || length >= size) return "";
  std::wstring folder(path, length);
  size_t slash = folder.find_last_of(L"\\/");
  return slash == std::wstring::npos ? "" : narrowPath(folder.substr(0, slash));
}

bool changeToGameDirectory() {
  std::string folder = programFolder();
  return !folder.empty() && SetCurrentDirectoryW(widePath(folder).c_str());
}
