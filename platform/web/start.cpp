// Starting in a browser: the saves are the browser's store read into a folder, and the page
// scales the canvas itself.
#include <cstdio>
#include <string>

#include "platform/input.h"
#include "platform/target.h"
#include "platform/web/browser_store.h"

const targetStart TARGET = {true, false, true, true};

// The page's tab lock keeps a second tab off the store (platform/web/page/saves.js).
std::string openTargetStore() { return openBrowserSaves(); }

// Gamepads, focus and visibility come through the browser.
void prepareTarget(bool, int) { enableDesktopInput(true); }

void targetVideoStarted() {}

void tellStartRefused(const std::string& reason) {
  std::fprintf(stderr, "skarnfall: %s\n", reason.c_str());
}
