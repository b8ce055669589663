// Looking up functions of loaded libraries with dlopen's no-load mode.
#include "platform/loaded_library.h"

#include <dlfcn.h>

void* loadedLibraryFunction(const char* library, const char* function) {
  if (library == nullptr) return dlsym(RTLD_DEFAULT, function);
  void* handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
  if (handle == nullptr) return nullptr;
  void* found = dlsym(handle, function);
  dlclose(handle);  // the library stays loaded: it was loaded before
  return found;
}
