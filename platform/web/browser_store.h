// The browser build's saves: the browser's IndexedDB read into a folder before the game
// starts, and each saved file copied back to it on its own. When the store cannot be read,
// or the page turned saving off (another tab, no Web Locks), the folder lives in memory
// only and the store is never written.
#pragma once
#include <string>

// Reads the browser's store into the save folder and returns the folder ("/saves"). When it
// cannot, the folder starts empty and saving is off; the page is told why.
std::string openBrowserSaves();
// Copies the file at from into the store under the name to (the temporary file of an
// atomic save, before it is renamed) and waits until the browser has it. True when
// stored, or when there is no store to keep it (saving off, a program without one); false,
// with the store unchanged and the page told, when the browser refused.
bool storeBrowserSave(const char* from, const char* to);
// Takes the file stored under path out of the store: a save stored but then not made.
void forgetBrowserSave(const char* path);
// True once the page has handed the game to another tab; every wait asks, and the game
// then stops for good (stopForOtherTab). Saves never wait through it, so none is cut short.
bool browserGameMoved();
// Tells the page that the game has stopped, so that the other tab may take the saves.
void tellPageGameStopped();
