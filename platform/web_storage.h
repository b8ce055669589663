// The browser build's saves: the browser's IndexedDB mounted as a folder, read in before
// the game starts and written back after every save.
#pragma once
#include <string>

// Mounts the browser's store at the save folder and waits until its files are in; returns
// the folder ("/saves").
std::string openBrowserSaves();
// Waits until the folder's files are written back to the browser's store, so that closing
// the tab right after a save loses nothing. Returns false when the browser refused.
bool flushBrowserSaves();
