// Opening a saved file for reading without trusting what sits at its path.
#pragma once
#include <cstdio>

// Opens path for reading when it is a regular file, or returns null: a FIFO, a device or a
// directory put in a save file's place is refused at once instead of blocking the game.
FILE* openPlainFileForReading(const char* path);
