// Starting on Windows: the command line (printed to the console the game was started from),
// saves in %APPDATA%\Skarnfall, or beside Skarnfall.exe when portable.txt lies there.
#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "platform/desktop_display.h"
#include "platform/input.h"
#include "platform/target.h"
#include "platform/windows/wide_path.h"

const targetStart TARGET = {true, false, true};

namespace {
// The folder holding Skarnfall.exe, as UTF-8.
std::string programFolder() {
  wchar_t path[MAX_PATH * 4];
  DWORD length = GetModuleFileNameW(nullptr, path, sizeof path / sizeof path[0]);
  if (length == 0 || length >= sizeof path / sizeof path[0]) return "";
  std::wstring folder(path, length);
  size_t slash = folder.find_last_of(L"\\/");
  return slash == std::wstring::npos ? "" : narrowPath(folder.substr(0, slash));
}

// The player's roaming application data folder, found through the Known Folders API.
std::string roamingAppData() {
  wchar_t* found = nullptr;
  std::string folder;
  if (SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &found) == S_OK) {
    folder = narrowPath(found);
  }
  CoTaskMemFree(found);
  return folder;
}
}  // namespace

// The game's own folder on this system: %APPDATA%\Skarnfall, or the program's folder for a
// portable copy. Its lock (LockFileEx) keeps a second copy off it.
std::string openTargetStore() {
  std::string program = programFolder();
  if (!program.empty() && GetFileAttributesW(widePath(program + "/portable.txt").c_str()) !=
                              INVALID_FILE_ATTRIBUTES) {
    return program;
  }
  std::string roaming = roamingAppData();
  return roaming.empty() ? "" : roaming + "/Skarnfall";
}

void prepareTarget(bool windowed, int) {
  playInWindow(windowed);
  enableDesktopDisplay(true);
  enableDesktopInput(true);
}

void targetVideoStarted() {}
