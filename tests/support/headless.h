// Helpers for headless tests: a dummy display, scripted input on the virtual clock, and
// throw-away game directories that share the built media but keep their own files.
#pragma once
#include <SDL/SDL.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// Opens the dummy display (320x240, 16 bits) as globalScreen, installs the virtual clock
// (1 ms per read) and a fixed random seed, and resets the process-wide flags.
void openHeadlessDisplay();
void closeHeadlessDisplay();

// A 320x240 16-bit surface like the game's composition surface.
SDL_Surface* makeScreenSurface();

void pushKey(SDLKey key, bool down);
void pushKeyPress(SDLKey key);  // down then up
void pushJoyButton(int button, bool down);
void drainEvents();

// Reads a pixel of a 16-bit surface as 8-bit red, green, blue.
void readPixel(SDL_Surface* surface, int x, int y, Uint8& r, Uint8& g, Uint8& b);
// Row y of a 16-bit surface.
Uint16* surfaceRow(SDL_Surface* surface, int y);
// Fills every byte of the surface with noise from a linear congruential generator.
void fillNoise(SDL_Surface* surface, Uint32& seed);
// Whether two 16-bit surfaces of one size hold the same pixels from row fromRow down.
bool sameRows(SDL_Surface* a, SDL_Surface* b, int fromRow);

// A fresh directory holding links to the built game's data (sprites, sounds, fonts...)
// and its own profiles/ of five empty slots and records/; the process is in it for the
// life of the object, so that a test stopped early by a failed assertion still returns to
// the game directory and removes its scratch one.
class scratchGameDir {
 public:
  scratchGameDir();
  ~scratchGameDir();
  scratchGameDir(const scratchGameDir&) = delete;
  scratchGameDir& operator=(const scratchGameDir&) = delete;
  std::string path;
};
std::string readWholeFile(const std::string& path);
// The names in a directory, sorted, without "." and "..". A directory that cannot be
// opened or read to the end fails the running test rather than looking empty.
std::vector<std::string> directoryEntries(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& bytes);
// Every saved file (records/ and profiles/) by path, with its bytes.
std::map<std::string, std::string> savedFiles();

// Runs body in a forked child that ends with status 0 if body returns; the wait status.
int childWaitStatus(const std::function<void()>& body);
// Sets an environment variable, or removes it when value is null.
void setOrUnsetEnv(const char* name, const char* value);

// What body prints on standard output.
std::string printedBy(const std::function<void()>& body);
// How often part occurs in text (a screen's printed trace).
size_t countOf(const std::string& text, const std::string& part);
