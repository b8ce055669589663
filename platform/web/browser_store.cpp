// IndexedDB behind the save folder, in the file layout of Emscripten's IDBFS: read once at
// start-up, then each saved file put on its own, so nothing else in the store is touched.
// The page's side (the tab lock, the messages) is platform/web/page/saves.js; it talks through
// Module.
#include "platform/web/browser_store.h"

#include <emscripten.h>

#include <cstdio>

namespace {
const char* SAVE_FOLDER = "/saves";
// Whether files are copied to the store: only after it has been read in completely.
bool storeOpen = false;

// clang-format off
// Opens the store named after the folder (as IDBFS names it) and reads it into the folder.
// savesState() turns from 0 to 1 when done, to 2 when saving is off: the page said so, or
// the store could not be opened (missing, blocked, refused) or read; the folder is then an
// empty one in memory and the page's onSavesOff hook gets the browser's reason.
EM_JS(void, startReadingStore, (const char* folder), {
  var path = UTF8ToString(folder);
  Module.savesState = 0;
  try { FS.mkdir(path); } catch (e) {}
  function finish(error) {
    if (Module.savesState !== 0) return;
    if (error) {
      try { FS.unmount(path); } catch (e) {}
      console.warn('Saves are off: ' + error);
      if (Module.onSavesOff) Module.onSavesOff(error);
    }
    Module.savesState = error ? 2 : 1;
  }
  if (Module.savesOffReason) return finish(Module.savesOffReason);
  var request;
  try {
    if (typeof indexedDB == 'undefined' || !indexedDB) {
      return finish('this browser offers no IndexedDB here');
    }
    request = indexedDB.open(path, IDBFS.DB_VERSION);
  } catch (e) {
    return finish(e);
  }
  request.onupgradeneeded = function(event) {
    // An open that was blocked and went on after the game gave up changes nothing.
    if (Module.savesState !== 0) return event.target.transaction.abort();
    var db = request.result;
    var files = db.objectStoreNames.contains(IDBFS.DB_STORE_NAME) ?
        event.target.transaction.objectStore(IDBFS.DB_STORE_NAME) :
        db.createObjectStore(IDBFS.DB_STORE_NAME);
    if (!files.indexNames.contains('timestamp')) {
      files.createIndex('timestamp', 'timestamp', {unique: false});
    }
  };
  request.onblocked = function() { finish('another page holds the store open at an older version'); };
  request.onerror = function(event) { event.preventDefault(); finish(request.error); };
  request.onsuccess = function() {
    var db = request.result;
    if (Module.savesState !== 0) return db.close();  // answered after giving up
    // A page that upgrades or deletes the store is not kept waiting; saves then fail.
    db.onversionchange = function() { db.close(); };
    IDBFS.dbs[path] = db;
    Module.savesDb = db;
    FS.mount(IDBFS, {}, path);
    FS.syncfs(true, function(error) { finish(error); });
  };
});

// Puts the file at from into the store as to, with the folders above it, in one
// transaction; with from "", takes to out of the store. savesState() turns from 0 to 1 when stored, to 2 when the browser refused;
// the page's onSaveFailed hook then gets the reason, and savesInFlight counts unfinished puts.
EM_JS(void, startStoring, (const char* folder, const char* fromPath, const char* toPath), {
  var root = UTF8ToString(folder);
  var from = UTF8ToString(fromPath);
  var to = UTF8ToString(toPath);
  Module.savesState = 0;
  Module.savesInFlight = (Module.savesInFlight | 0) + 1;
  function finish(error) {
    if (Module.savesState !== 0) return;
    Module.savesInFlight--;
    if (error) {
      console.warn('Not saved: ' + to + ': ' + error);
      if (Module.onSaveFailed) Module.onSaveFailed(error);
    }
    Module.savesState = error ? 2 : 1;
  }
  try {
    // Strict: done only once on disk, as the desktop syncs; browsers without the option
    // ignore it.
    var transaction = Module.savesDb.transaction([IDBFS.DB_STORE_NAME], 'readwrite',
                                                 {durability: 'strict'});
    var files = transaction.objectStore(IDBFS.DB_STORE_NAME);
    var parts = to.slice(root.length + 1).split('/');
    var dir = root;
    for (var i = 0; i + 1 < parts.length; i++) {
      dir += '/' + parts[i];
      var dirStat = FS.stat(dir);
      files.put({'timestamp': dirStat.mtime, 'mode': dirStat.mode}, dir);
    }
    if (from) {
      var stat = FS.stat(from);
      files.put({'timestamp': stat.mtime, 'mode': stat.mode, 'contents': FS.readFile(from)}, to);
    } else {
      files.delete(to);
    }
    transaction.oncomplete = function() { finish(null); };
    transaction.onabort = function() {
      finish(transaction.error || 'the browser gave the save up');
    };
  } catch (e) {
    finish(e);
  }
});

EM_JS(int, savesState, (), { return Module.savesState | 0; });
EM_JS(int, gameMovedAway, (), { return Module.gameMoving ? 1 : 0; });
EM_JS(void, announceGameStopped, (), { if (Module.onGameStopped) Module.onGameStopped(); });
// clang-format on

// Waits for the browser outside the clock seam: the virtual clock's yield would not hand
// the tab back, and a save's wait must not stop for another tab half-way.
bool waitForSaves() {
  while (savesState() == 0) emscripten_sleep(1);
  return savesState() == 1;
}
}  // namespace

std::string openBrowserSaves() {
  startReadingStore(SAVE_FOLDER);
  storeOpen = waitForSaves();
  if (!storeOpen) fprintf(stderr, "The browser's saved games could not be read: saving is off.\n");
  return SAVE_FOLDER;
}

bool storeBrowserSave(const char* from, const char* to) {
  if (!storeOpen) return true;
  startStoring(SAVE_FOLDER, from, to);
  if (waitForSaves()) return true;
  fprintf(stderr, "The browser did not keep %s.\n", to);
  return false;
}

void forgetBrowserSave(const char* path) {
  if (!storeOpen) return;
  startStoring(SAVE_FOLDER, "", path);
  if (!waitForSaves()) fprintf(stderr, "The browser kept %s, which was not saved.\n", path);
}

bool browserGameMoved() { return gameMovedAway() != 0; }

void tellPageGameStopped() { announceGameStopped(); }
