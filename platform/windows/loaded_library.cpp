// Looking up functions of loaded DLLs.
#include "platform/loaded_library.h"

#include <windows.h>

void* loadedLibraryFunction(const char* library, const char* function) {
  HMODULE module = GetModuleHandleA(library);
  return module != nullptr ? reinterpret_cast<void*>(GetProcAddress(module, function)) : nullptr;
}
