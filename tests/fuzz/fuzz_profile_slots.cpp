// Fuzz target: the profile list's reading of the five slot files, each of any length and
// content or missing, and drawing the names it lists.
// Input: a byte whose low five bits mark missing slot files, then slots 1 to 4 each as a
// length byte and that many bytes, then whatever is left for slot 5.
#include <unistd.h>

#include <string>

#include "frontend/game.h"
#include "frontend/profiles.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
game* theGame = nullptr;

// Takes a length byte and that many bytes (fewer if the input runs out).
std::string takeSlot(const uint8_t*& data, size_t& size, bool last) {
  size_t length = size;
  if (!last) {
    if (size == 0) return std::string();
    length = data[0];
    data++, size--;
    if (length > size) length = size;
  }
  std::string bytes(reinterpret_cast<const char*>(data), length);
  data += length, size -= length;
  return bytes;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  theGame = &startFuzzGame();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  unsigned missing = size > 0 ? data[0] : 0;
  if (size > 0) data++, size--;
  std::string files[PROFILE_SLOTS];
  for (int n = 0; n < PROFILE_SLOTS; n++) {
    files[n] = takeSlot(data, size, n == PROFILE_SLOTS - 1);
    std::string path = profileFileName(n + 1);
    if (missing & (1u << n)) {
      unlink(path.c_str());
    } else {
      writeFuzzFile(path.c_str(), reinterpret_cast<const uint8_t*>(files[n].data()),
                    files[n].size());
    }
  }

  profileSlotList slots;
  startEmptySlots(slots);
  bool listed = readProfileSlots(slots);
  fuzzCheck(listed == ((missing & 0x1f) == 0), "the list fails exactly when a file is missing");
  for (int n = 0; n < PROFILE_SLOTS; n++) {
    fuzzCheck(slots.names[n][PROFILE_NAME_LENGTH] == '\0', "every name is terminated");
    if (!listed) continue;
    bool stored = files[n].empty() || files[n][0] != '0';
    fuzzCheck(slots.empty[n] == !stored, "a leading \"0\" and only that marks an empty slot");
    for (int i = 0; i < PROFILE_NAME_LENGTH; i++) {
      unsigned char expected = !stored ? static_cast<unsigned char>(i < 5 ? "EMPTY"[i] : ' ')
                               : static_cast<size_t>(1 + i) < files[n].size() ? files[n][1 + i]
                                                                              : 255;
      fuzzCheck(static_cast<unsigned char>(slots.names[n][i]) == expected, "listed name byte");
    }
  }
  for (int n = 0; n < PROFILE_SLOTS; n++) {
    theGame->drawText(theGame->screen, slots.names[n], 150, 80 + 20 * n, 255, 255, 255);
  }
  return 0;
}
