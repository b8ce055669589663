// Throw-away game directories.
#include "tools/runner/game_copy.h"

#include <stdlib.h>

#include <filesystem>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {
const char* COPIED[] = {"profiles", "records"};
}  // namespace

std::string makeGameCopy(const std::string& gameDir, const std::string& saveDir,
                         std::string& error) {
  char pattern[] = "/tmp/skarnfall-run-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    error = "cannot create a directory under /tmp";
    return "";
  }
  fs::path copy(pattern);
  std::error_code code;
  fs::path source = fs::absolute(gameDir, code);
  fs::path saves = saveDir.empty() ? source : fs::absolute(saveDir, code);
  std::istringstream mediaDirs(SKARNFALL_MEDIA_DIRS);
  for (std::string name; mediaDirs >> name;) {
    if (!fs::exists(source / name, code)) continue;  // missing data fails to load, as in play
    fs::create_directory_symlink(source / name, copy / name, code);
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
