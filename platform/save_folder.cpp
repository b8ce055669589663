// The save folder: its path prefix and the folder of unfinished saves. Its lock and the
// clearing of that folder are the system's (posix/ or windows/save_folder_system.cpp).
#include "platform/save_folder.h"

namespace {
std::string prefix;
}  // namespace

void setSaveFolder(const std::string& folder) {
  prefix = folder;
  if (!prefix.empty() && prefix.back() != '/') prefix += '/';
}

const char* saveFolderPrefix() { return prefix.c_str(); }

std::string unfinishedSavesFolder() { return prefix + UNFINISHED_SAVES; }
