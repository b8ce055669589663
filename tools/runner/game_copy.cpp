// Throw-away game directories.
#include "tools/runner/game_copy.h"

#include <filesystem>
#include <random>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {
const char* COPIED[] = {"profiles", "records"};

// A new folder of this run's own in the system's temporary folder; empty if none was made.
fs::path makeTemporaryFolder() {
  std::error_code code;
  fs::path base = fs::temp_directory_path(code);
  std::random_device seed;
  for (int tries = 0; !code && tries < 100; tries++) {
    fs::path folder = base / ("skarnfall-run-" + std::to_string(seed()));
    if (fs::create_directory(folder, code)) return folder;
  }
  return fs::path();
}

// The media folder linked into the copy, or copied where links cannot be made (Windows
// grants them only to some accounts).
void linkOrCopy(const fs::path& from, const fs::path& to, std::error_code& code) {
  fs::create_directory_symlink(from, to, code);
  if (code) fs::copy(from, to, fs::copy_options::recursive, code);
}
}  // namespace

std::string makeGameCopy(const std::string& gameDir, const std::string& saveDir,
                         std::string& error) {
  fs::path copy = makeTemporaryFolder();
  if (copy.empty()) {
    error = "cannot create a folder in the temporary folder";
    return "";
  }
  std::error_code code;
  fs::path source = fs::absolute(gameDir, code);
  fs::path saves = saveDir.empty() ? source : fs::absolute(saveDir, code);
  std::istringstream mediaDirs(SKARNFALL_MEDIA_DIRS);
  for (std::string name; mediaDirs >> name;) {
    if (!fs::exists(source / name, code)) continue;  // missing data fails to load, as in play
    linkOrCopy(source / name, copy / name, code);
    if (code) {
      error = "cannot link " + (source / name).string() + ": " + code.message();
      removeGameCopy(copy.string());
      return "";
    }
  }
  for (const char* name : COPIED) {
    fs::create_directory(copy / name, code);
    if (!fs::exists(saves / name, code)) continue;
    fs::copy(saves / name, copy / name, fs::copy_options::recursive, code);
    if (code) {
      error = "cannot copy " + (saves / name).string() + ": " + code.message();
      removeGameCopy(copy.string());
      return "";
    }
  }
  return copy.string();
}

void removeGameCopy(const std::string& copyDir) {
  if (copyDir.empty()) return;
  std::error_code code;
  fs::remove_all(copyDir, code);  // removes the links, never what they point to
}
