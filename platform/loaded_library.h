// Functions of a library the process has already loaded, looked up by name: the SDL2 layer
// behind sdl12-compat, when there is one. One file per system answers this.
#pragma once

// The function, or null when the library is not loaded or lacks it. A null library looks
// through the whole process.
void* loadedLibraryFunction(const char* library, const char* function);
