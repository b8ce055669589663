// Where saves go and the start-up steps that make the folder this run's own.
#include "frontend/save_setup.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "frontend/profiles.h"
#include "platform/account_home.h"
#include "platform/save_folder.h"

const char* (*accountHomeLookup)() = accountHomeFolder;

namespace {
// HOME when it names an absolute folder, else the account's entry (a service started
// without HOME); "" when neither knows one.
std::string homeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return home;
  const char* account = accountHomeLookup();
  return account != nullptr && account[0] == '/' ? account : "";
}

std::string shownFolder(const std::string& folder) {
  if (!folder.empty()) return folder;
  char here[4096];
  return getcwd(here, sizeof here) != nullptr ? here : ".";
}

// An empty slot: the marker, a blank name and zeroed settings.
bool writeEmptySlotIfMissing(int slot) {
  if (access(profileFileName(slot).c_str(), F_OK) == 0) return true;
  char blankName[PROFILE_NAME_LENGTH];
  std::memset(blankName, ' ', sizeof blankName);
  const int noSettings[PROFILE_SETTINGS] = {};
  return writeProfileFile(slot, PROFILE_EMPTY_MARKER, blankName, noSettings);
}
}  // namespace

std::string chooseSaveFolder(const std::string& gameDir, std::string& error) {
  std::string marker =
      (gameDir.empty() ? std::string(".") : gameDir) + "/" + SAVES_IN_DATA_HOME_MARKER;
  if (access(marker.c_str(), F_OK) != 0) return "";
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') return std::string(dataHome) + "/skarnfall";
  std::string home = homeFolder();
  if (home.empty()) error = "no home folder to keep the saves in (set HOME)";
  return home.empty() ? "" : home + "/.local/share/skarnfall";
}

bool settleIn(bool (*enterGameDirectory)(), bool savesInDataHome, std::string& error) {
  if (!enterGameDirectory()) {
    error = "cannot find the folder that holds the game (its media and saves are there)";
    return false;
  }
  std::string folder;
  if (savesInDataHome) folder = chooseSaveFolder(".", error);
  return error.empty() && claimSaveFolder(folder, error);
}

bool claimSaveFolder(const std::string& folder, std::string& error) {
  std::error_code code;
  if (!folder.empty()) {
    for (const char* sub : {"profiles", "records"}) {
      std::filesystem::create_directories(folder + "/" + sub, code);
      if (code) {
        error = "cannot create " + folder + "/" + sub + ": " + code.message();
        return false;
      }
    }
  }
  setSaveFolder(folder);
  saveLock lock = lockSaveFolder(folder);
  if (lock == saveLock::HELD_ELSEWHERE) {
    error = "another copy of Skarnfall is using the saves in " + shownFolder(folder);
    return false;
  }
  // A folder where no lock file can be made takes no saves either; play goes on.
  if (lock == saveLock::TAKEN) removeStaleSaveTemps(folder);
  if (folder.empty()) return true;  // the build tree's slots come with the build
  for (int slot = 1; slot <= PROFILE_SLOTS; slot++) {
    if (!writeEmptySlotIfMissing(slot)) {
      error = "cannot create the empty profile slots in " + folder + "/profiles";
      return false;
    }
  }
  return true;
}
