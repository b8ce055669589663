// Fuzz target set-up: the scratch game directory and small file helpers.
#include "tests/fuzz/fuzz_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "frontend/game.h"

namespace {
std::string fuzzDir;
game* fuzzGame = nullptr;

void endFuzzGame() { delete fuzzGame; }

void removeFuzzDir() {
  if (fuzzDir.empty()) return;
  if (chdir("/") != 0) return;
  std::string command = "rm -rf '" + fuzzDir + "'";
  if (system(command.c_str()) != 0) fprintf(stderr, "could not remove %s\n", fuzzDir.c_str());
}
}  // namespace

void enterFuzzGameDir() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // Every input rewrites files: a memory file system keeps that from waiting on a disk.
  char inMemory[] = "/dev/shm/skarnfall-fuzz-XXXXXX";
  char onDisk[] = "/tmp/skarnfall-fuzz-XXXXXX";
  if (mkdtemp(inMemory) != nullptr) {
    fuzzDir = inMemory;
  } else if (mkdtemp(onDisk) != nullptr) {
    fuzzDir = onDisk;
  } else {
    perror("mkdtemp");
    std::abort();
  }
  std::string fonts = std::string(SKARNFALL_GAME_DIR) + "/fonts";
  if (symlink(fonts.c_str(), (fuzzDir + "/fonts").c_str()) != 0 ||
      mkdir((fuzzDir + "/profiles").c_str(), 0755) != 0 ||
      mkdir((fuzzDir + "/records").c_str(), 0755) != 0 || chdir(fuzzDir.c_str()) != 0) {
    perror(fuzzDir.c_str());
    std::abort();
  }
  atexit(removeFuzzDir);
}

void writeFuzzFile(const char* path, const uint8_t* data, size_t size) {
  FILE* file = fopen(path, "wb");
  if (file == nullptr) {
    perror(path);
    std::abort();
  }
  if (size > 0 && fwrite(data, 1, size, file) != size) std::abort();
  fclose(file);
}

std::string readFuzzFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void fuzzCheck(bool holds, const char* what) {
  if (holds) return;
  fprintf(stderr, "fuzz property broken: %s\n", what);
  std::abort();
}

game& startFuzzGame() {
  if (fuzzGame == nullptr) {
    enterFuzzGameDir();
    fuzzGame = new game();
    atexit(endFuzzGame);
  }
  return *fuzzGame;
}
