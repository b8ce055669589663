// Whole-multiple scaling through the compatibility layer's window, looked up at run time
// so the game still runs on a plain SDL 1.2 (the handheld's).
#include "shell/desktop_display.h"

#include <dlfcn.h>

namespace {
typedef void* (*getWindowFn)();
typedef void* (*getRendererFn)(void*);
typedef int (*setIntegerScaleFn)(void*, int);
}  // namespace

bool useWholePixelScaling() {
  void* sdl2 = dlopen("libSDL2-2.0.so.0", RTLD_LAZY | RTLD_NOLOAD);
  if (sdl2 == nullptr) return false;
  auto getWindow = reinterpret_cast<getWindowFn>(dlsym(RTLD_DEFAULT, "SDL12COMPAT_GetWindow"));
  auto getRenderer = reinterpret_cast<getRendererFn>(dlsym(sdl2, "SDL_GetRenderer"));
  auto setIntegerScale =
      reinterpret_cast<setIntegerScaleFn>(dlsym(sdl2, "SDL_RenderSetIntegerScale"));
  bool done = false;
  if (getWindow != nullptr && getRenderer != nullptr && setIntegerScale != nullptr) {
    void* window = getWindow();
    void* renderer = window != nullptr ? getRenderer(window) : nullptr;
    done = renderer != nullptr && setIntegerScale(renderer, 1) == 0;
  }
  dlclose(sdl2);
  return done;
}
