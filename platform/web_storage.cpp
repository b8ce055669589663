// IndexedDB behind the save folder, through Emscripten's file system; each sync is waited
// for through the clock seam, whose yield hands the tab back to the browser meanwhile.
#include "platform/web_storage.h"

#include <emscripten.h>

#include <cstdio>

#include "platform/clock.h"

namespace {
const char* SAVE_FOLDER = "/saves";

// clang-format off
EM_JS(void, mountSaveStore, (const char* folder), {
  var path = UTF8ToString(folder);
  try { FS.mkdir(path); } catch (e) {}
  FS.mount(IDBFS, {}, path);
});

// Starts copying between the folder and the store: from the store when fromStore, else to
// it. savesSyncState() turns from 0 to 1 when done, 2 when it failed.
EM_JS(void, startSaveSync, (int fromStore), {
  Module.savesSyncState = 0;
  FS.syncfs(fromStore != 0, function(error) {
    if (error) console.log('Saves could not be synchronised: ' + error);
    Module.savesSyncState = error ? 2 : 1;
  });
});

EM_JS(int, savesSyncState, (), { return Module.savesSyncState | 0; });
// clang-format on

bool syncSaves(bool fromStore) {
  startSaveSync(fromStore ? 1 : 0);
  while (savesSyncState() == 0) yieldProcessor();
  return savesSyncState() == 1;
}
}  // namespace

std::string openBrowserSaves() {
  mountSaveStore(SAVE_FOLDER);
  if (!syncSaves(true)) printf("The browser's saved games could not be read.\n");
  return SAVE_FOLDER;
}

bool flushBrowserSaves() { return syncSaves(false); }
