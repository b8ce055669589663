// Starting on the handheld: no command line, saves beside the program on its card, and the
// framebuffer and buttons as SDL finds them.
#include <string>

#include "platform/target.h"

const targetStart TARGET = {false, false, false};

std::string openTargetStore() { return ""; }

void prepareTarget(bool, int) {}

void targetVideoStarted() {}
