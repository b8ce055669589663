// Moves into the directory of the running executable.
#include "platform/game_directory.h"

#include <limits.h>
#include <unistd.h>

#include <string>

bool changeToGameDirectory() {
#ifdef SKARNFALL_WEB
  // The page preloads the media at the root of the browser's file system.
  return chdir("/") == 0;
#else
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (length <= 0) return false;
  path[length] = '\0';
  std::string directory(path);
  size_t slash = directory.rfind('/');
  if (slash == std::string::npos) return false;
  directory.resize(slash == 0 ? 1 : slash);
  return chdir(directory.c_str()) == 0;
#endif
}
