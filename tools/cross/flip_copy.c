/* The handheld's flip, under SDL's dummy video driver: the device's SDL copies the 16-bit
 * display into its framebuffer, 320x240x2 bytes, which the dummy driver never does. Loaded
 * before SDL (LD_PRELOAD), it does that copy, then SDL's own flip. */
#define _GNU_SOURCE
#include <SDL/SDL.h>
#include <dlfcn.h>
#include <string.h>

enum { FB_WIDTH = 320, FB_HEIGHT = 240, FB_BYTES = 2 };
static unsigned char framebuffer[FB_WIDTH * FB_HEIGHT * FB_BYTES];

int SDL_Flip(SDL_Surface* screen) {
  static int (*sdlFlip)(SDL_Surface*);
  if (sdlFlip == NULL) sdlFlip = (int (*)(SDL_Surface*))dlsym(RTLD_NEXT, "SDL_Flip");
  if (screen != NULL && screen->format->BytesPerPixel == FB_BYTES) {
    int rows = screen->h < FB_HEIGHT ? screen->h : FB_HEIGHT;
    int bytes = (screen->w < FB_WIDTH ? screen->w : FB_WIDTH) * FB_BYTES;
    for (int y = 0; y < rows; y++)
      memcpy(framebuffer + y * FB_WIDTH * FB_BYTES, (Uint8*)screen->pixels + y * screen->pitch,
             (size_t)bytes);
  }
  return sdlFlip(screen);
}
