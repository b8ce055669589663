// Headless test helpers.
#include "tests/support/headless.h"

#include <dirent.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/clock.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "platform/random.h"

void openHeadlessDisplay() {
  SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER);
  globalScreen = SDL_SetVideoMode(320, 240, 16, 0);
  virtualClock::install(1);
  seedRandom(1);
  resetGlobals();
  drainEvents();
}

void closeHeadlessDisplay() {
  virtualClock::uninstall();
  drainEvents();
  SDL_Quit();
  globalScreen = nullptr;
}

SDL_Surface* makeScreenSurface() {
  return SDL_CreateRGBSurface(SDL_HWSURFACE | SDL_SRCCOLORKEY | SDL_SRCALPHA, 320, 240, 16, 0, 0, 0,
                              0);
}

void pushKey(SDLKey key, bool down) {
  SDL_Event event = keyEvent(key, down);
  SDL_PushEvent(&event);
}

void pushKeyPress(SDLKey key) {
  pushKey(key, true);
  pushKey(key, false);
}

void pushJoyButton(int button, bool down) {
  SDL_Event event = joyButtonEvent(button, down);
  SDL_PushEvent(&event);
}

void drainEvents() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
}

void readPixel(SDL_Surface* surface, int x, int y, Uint8& r, Uint8& g, Uint8& b) {
  SDL_GetRGB(surfaceRow(surface, y)[x], surface->format, &r, &g, &b);
}

Uint16* surfaceRow(SDL_Surface* surface, int y) {
  return reinterpret_cast<Uint16*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
}

void fillNoise(SDL_Surface* surface, Uint32& seed) {
  for (int i = 0; i < surface->pitch * surface->h; i++) {
    seed = seed * 1103515245u + 12345u;
    static_cast<Uint8*>(surface->pixels)[i] = static_cast<Uint8>(seed >> 16);
  }
}

bool sameRows(SDL_Surface* a, SDL_Surface* b, int fromRow) {
  for (int y = fromRow; y < a->h; y++) {
    if (std::memcmp(surfaceRow(a, y), surfaceRow(b, y), a->w * 2) != 0) return false;
  }
  return true;
}

scratchGameDir::scratchGameDir() {
  std::error_code code;
  std::filesystem::path base = std::filesystem::temp_directory_path(code);
  std::random_device seed;
  do {
    path = (base / ("skarnfall-test-" + std::to_string(seed()))).string();
  } while (!std::filesystem::create_directory(path, code) && !code);
  std::istringstream mediaDirs(SKARNFALL_MEDIA_DIRS);
  for (std::string name; mediaDirs >> name;) {
    std::string target = std::string(SKARNFALL_GAME_DIR) + "/" + name;
    // Linked, or copied where links cannot be made (Windows grants them to some accounts).
    std::filesystem::create_directory_symlink(target, path + "/" + name, code);
    if (code)
      std::filesystem::copy(target, path + "/" + name, std::filesystem::copy_options::recursive,
                            code);
    if (code) ADD_FAILURE() << "cannot link " << target << ": " << code.message();
  }
  std::filesystem::create_directory(path + "/profiles");
  std::filesystem::create_directory(path + "/records");
  for (int slot = 1; slot <= 5; slot++) {
    std::string blank = "0" + std::string(30, ' ') + std::string(100, '0');
    writeWholeFile(path + "/profiles/profile0" + std::to_string(slot) + ".txt", blank);
  }
  std::filesystem::current_path(path);
}

scratchGameDir::~scratchGameDir() {
  std::filesystem::current_path(SKARNFALL_GAME_DIR);
  std::error_code code;
  std::filesystem::remove_all(path, code);  // removes the links, never what they point to
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<std::string> directoryEntries(const std::string& path) {
  std::vector<std::string> names;
  DIR* dir = opendir(path.c_str());
  if (dir == nullptr) {
    ADD_FAILURE() << "cannot open " << path << ": " << strerror(errno);
    return names;
  }
  errno = 0;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  if (errno != 0) ADD_FAILURE() << "cannot read " << path << ": " << strerror(errno);
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::string, std::string> savedFiles() {
  std::map<std::string, std::string> files;
  for (const char* folder : {"records", "profiles"}) {
    for (const std::string& name : directoryEntries(folder)) {
      std::string path = std::string(folder) + "/" + name;
      files[path] = readWholeFile(path);
    }
  }
  return files;
}

void writeWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string printedBy(const std::function<void()>& body) {
  testing::internal::CaptureStdout();
  body();
  return testing::internal::GetCapturedStdout();
}

size_t countOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) count++;
  return count;
}

void setOrUnsetEnv(const char* name, const char* value) {
  if (value != nullptr) {
    setenv(name, value, 1);
  } else {
    unsetenv(name);
  }
}
