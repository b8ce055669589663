// Starting on the handheld: no command line, saves beside the program on its card, and the
// framebuffer and buttons as SDL finds them.
#include <cstdio>
#include <string>

#include "platform/target.h"

const targetStart TARGET = {false, false, false, false};

std::string openTargetStore() { return ""; }

void prepareTarget(bool, int) {}

void targetVideoStarted() {}

void tellStartRefused(const std::string& reason) {
  std::fprintf(stderr, "skarnfall: %s\n", reason.c_str());
}
