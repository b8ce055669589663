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
#include "platform/windows/program_folder.h"
#include "platform/windows/wide_path.h"

const targetStart TARGET = {true, false, true};

namespace {
// A program without a console window of its own still answers --help and --controls in the
// console it was started from: its output goes there unless it was already sent elsewhere
// (a pipe, a file). Runs before main.
struct parentConsole {
  parentConsole() {
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) != FILE_TYPE_UNKNOWN) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    std::freopen("CONOUT$", "w", stdout);
    if (GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_UNKNOWN) {
      std::freopen("CONOUT$", "w", stderr);
    }
  }
} attachedAtStart;

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
  if (!program.empty() &&
      GetFileAttributesW(widePath(program + "/portable.txt").c_str()) != INVALID_FILE_ATTRIBUTES) {
    return program;
  }
  std::string roaming = roamingAppData();
  return roaming.empty() ? "" : roaming + "\\Skarnfall";
}

void prepareTarget(bool windowed, int) {
  playInWindow(windowed);
  enableDesktopDisplay(true);
  enableDesktopInput(true);
}

void targetVideoStarted() {}

void tellStartRefused(const std::string& reason) {
  std::fprintf(stderr, "skarnfall: %s\n", reason.c_str());
  std::fflush(stderr);
  MessageBoxW(nullptr, widePath(reason).c_str(), L"Skarnfall", MB_OK | MB_ICONERROR);
}
