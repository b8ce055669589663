// Shared set-up of the fuzz targets: a private game directory holding only the font and
// empty profiles/ and records/, the dummy SDL drivers, the game object, and a way to write
// a whole file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Creates the directory under /dev/shm (or /tmp), links the built game's fonts into it and changes
// into it; it is removed when the process exits. Sets the dummy video and audio drivers.
void enterFuzzGameDir();
class game;
// Enters that directory and builds the game object, once per process (start-up of SDL, the
// font and the mixer is slow); it is destroyed when the process exits.
game& startFuzzGame();
// Replaces path with exactly these bytes (plain stdio: the fuzzer writes its inputs fast).
void writeFuzzFile(const char* path, const uint8_t* data, size_t size);
std::string readFuzzFile(const char* path);
// Ends the run with a report when a property of the code under test does not hold.
void fuzzCheck(bool holds, const char* what);
