// The desktop's display: the video mode's flags and presenting path, and whole-multiple
// scaling through the compatibility layer's window, looked up at run time so the game still
// runs on a plain SDL 1.2 (the handheld's).
#include "platform/desktop_display.h"

#include <cstdlib>
#include <cstring>

#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/loaded_library.h"

namespace {
const char* const SDL2_LIBRARY = "libSDL2-2.0.so.0";

bool desktopDisplay = false;
bool windowed = false;
int windowScale = 1;

typedef void* (*getWindowFn)();
typedef void* (*getRendererFn)(void*);
typedef int (*setIntegerScaleFn)(void*, int);
typedef void (*setWindowSizeFn)(void*, int, int);

// The compatibility layer creates a window left full screen at the picture's own size;
// give it the chosen scale through SDL2. Nothing on a plain SDL 1.2.
void sizeWindow(int scale) {
  auto getWindow =
      reinterpret_cast<getWindowFn>(loadedLibraryFunction(nullptr, "SDL12COMPAT_GetWindow"));
  auto setWindowSize =
      reinterpret_cast<setWindowSizeFn>(loadedLibraryFunction(SDL2_LIBRARY, "SDL_SetWindowSize"));
  void* window = getWindow != nullptr && setWindowSize != nullptr ? getWindow() : nullptr;
  if (window != nullptr) setWindowSize(window, WINDOW_WIDTH * scale, WINDOW_HEIGHT * scale);
}

// SDL 1.2 switches in place only on some systems (X11); elsewhere (Windows) the mode is set
// again with the other flag and the picture carried across. The new display, or null with
// the old one kept when the other mode cannot be had.
SDL_Surface* setModeAgain(SDL_Surface* display) {
  SDL_Surface* picture = SDL_ConvertSurface(display, display->format, SDL_SWSURFACE);
  if (picture == nullptr) return nullptr;
  int w = display->w, h = display->h, bits = display->format->BitsPerPixel;
  Uint32 flags = display->flags;
  SDL_Surface* again = SDL_SetVideoMode(w, h, bits, flags ^ SDL_FULLSCREEN);
  bool switched = again != nullptr;
  if (!switched) again = SDL_SetVideoMode(w, h, bits, flags);
  if (again != nullptr) {
    SDL_BlitSurface(picture, nullptr, again, nullptr);
    SDL_Flip(again);
    globalScreen = again;
  }
  SDL_FreeSurface(picture);
  return switched ? again : nullptr;
}
}  // namespace

void enableDesktopDisplay(bool on) { desktopDisplay = on; }

void playInWindow(bool on) { windowed = on; }

void setWindowScale(int scale) { windowScale = scale; }

bool toggleFullScreen() {
  SDL_Surface* display = SDL_GetVideoSurface();
  if (display == nullptr) return false;
  if (SDL_WM_ToggleFullScreen(display) == 0) {
    display = setModeAgain(display);
    if (display == nullptr) return false;
  }
  windowed = (display->flags & SDL_FULLSCREEN) == 0;
  if (windowed) sizeWindow(windowScale);
  return true;
}

bool showsUnscaled(Uint32 videoFlags, int desktopWidth, int desktopHeight,
                   const char* windowScaling) {
  if ((videoFlags & SDL_FULLSCREEN) != 0) {
    return desktopWidth == WINDOW_WIDTH && desktopHeight == WINDOW_HEIGHT;
  }
  return windowScaling == nullptr || std::strcmp(windowScaling, "1") == 0;
}

Uint32 prepareVideoMode() {
  Uint32 flags = windowed ? 0 : SDL_FULLSCREEN;
  const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
  if (!desktopDisplay || desktop == nullptr) return flags;
  if (!showsUnscaled(flags, desktop->current_w, desktop->current_h,
                     std::getenv("SDL12COMPAT_WINDOW_SCALING"))) {
    return flags;  // scaling is the renderer's work, on a graphics card where there is one
  }
  // A picture at its own size is shown by one copy into the window's framebuffer: no
  // renderer, no graphics library loaded. Settings the player has made stay as they are.
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
  return flags;
}

bool useWholePixelScaling() {
  auto getWindow =
      reinterpret_cast<getWindowFn>(loadedLibraryFunction(nullptr, "SDL12COMPAT_GetWindow"));
  auto getRenderer =
      reinterpret_cast<getRendererFn>(loadedLibraryFunction(SDL2_LIBRARY, "SDL_GetRenderer"));
  auto setIntegerScale = reinterpret_cast<setIntegerScaleFn>(
      loadedLibraryFunction(SDL2_LIBRARY, "SDL_RenderSetIntegerScale"));
  if (getWindow == nullptr || getRenderer == nullptr || setIntegerScale == nullptr) return false;
  void* window = getWindow();
  void* renderer = window != nullptr ? getRenderer(window) : nullptr;
  return renderer != nullptr && setIntegerScale(renderer, 1) == 0;
}
