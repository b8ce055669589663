// The SDL surface calls the game makes, answered here in the browser build instead of by
// the emulation, whose surfaces are canvases and whose every blit is a canvas draw: the
// frame is composed in memory at 16 bits, as on a desktop, and each changed display is
// handed whole to the canvas's painter, in a worker where the browser allows. A worker
// hands each frame's buffer back when the next tick is due, and that wakes the tick.
#include "platform/web/sdl_video.h"

#include <SDL/SDL_image.h>
#include <emscripten.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/pixels/memory_blit.h"
#include "platform/sdl_bridges.h"

// What SDL 1.2 keeps in a pixel format and the emulation's header has no room for.
struct SDL_BlitMap {
  Uint32 key;
  Uint8 alpha;
  bool ownsPixels;
};

extern "C" {
unsigned char* stbi_load(const char* file, int* w, int* h, int* channels, int wanted);
void stbi_image_free(void* pixels);
}

// The painter (platform/web/painter.js) takes each changed display: it sizes the canvas to
// the display and hands it frames.
extern "C" {
void sizeCanvas(int w, int h);
void showOnCanvas(const void* pixels, int bytes);
}

namespace {
struct memorySurface {
  SDL_Surface surface;
  SDL_PixelFormat format;
  SDL_BlitMap manner;
};

SDL_Surface* display = nullptr;
std::vector<Uint32> shown;  // the display as last handed to the page, two pixels a word

// Sleeps ms, then notes when the tick after the one it wakes is due (periodMs on). A frame lent
// to the worker comes back just when the ms are up, and then its return ends the sleep: a
// tick wakes the page once, not for a timer and again for the buffer.
EM_ASYNC_JS(void, sleepForTickJs, (int ms, int periodMs), {
  var screen = Module['skarnfallScreen'];
  // When the ms are up, on the shared clock: counted, as the game's clock reads, from the
  // whole millisecond.
  var until = performance.timeOrigin + Math.floor(performance.now()) + ms;
  await new Promise(function(resolve) {
    var byFrame = screen && screen.lent > 0 && Math.abs(screen.backAt - until) <= 1;
    var timer = setTimeout(done, byFrame ? ms + 50 : ms);  // +50: should the worker keep it
    function done() {
      clearTimeout(timer);
      if (screen) screen.onBack = null;
      Module['skarnfallEndTick'] = null;
      resolve();
    }
    if (byFrame) screen.onBack = done;
    // The page ends it early when the game moves to another tab: a hidden tab's timers
    // may be a minute late.
    Module['skarnfallEndTick'] = done;
  });
  // The tick starts at the whole millisecond the game's clock reads now (realClockMs).
  if (screen) screen.nextTickAt = performance.timeOrigin + Math.floor(performance.now()) + periodMs;
});

int shiftOf(Uint32 mask) {
  int shift = 0;
  for (; mask != 0 && (mask & 1) == 0; mask >>= 1) shift++;
  return shift;
}

int widthOf(Uint32 mask) {
  int bits = 0;
  for (; mask != 0; mask &= mask - 1) bits++;
  return bits;
}

void describe(SDL_PixelFormat& f, int depth, Uint32 r, Uint32 g, Uint32 b, Uint32 a) {
  std::memset(&f, 0, sizeof f);
  if (r == 0 && g == 0 && b == 0) {
    if (depth == 16) {
      r = 0xF800, g = 0x07E0, b = 0x001F;
    } else {
      r = 0xFF0000, g = 0xFF00, b = 0xFF;
    }
  }
  f.BitsPerPixel = static_cast<Uint8>(depth);
  f.BytesPerPixel = static_cast<Uint8>((depth + 7) / 8);
  const Uint32 masks[] = {r, g, b, a};
  Uint32* fields[] = {&f.Rmask, &f.Gmask, &f.Bmask, &f.Amask};
  Uint8* losses[] = {&f.Rloss, &f.Gloss, &f.Bloss, &f.Aloss};
  Uint8* shifts[] = {&f.Rshift, &f.Gshift, &f.Bshift, &f.Ashift};
  for (int i = 0; i < 4; i++) {
    *fields[i] = masks[i];
    *shifts[i] = static_cast<Uint8>(shiftOf(masks[i]));
    *losses[i] = static_cast<Uint8>(8 - (widthOf(masks[i]) < 8 ? widthOf(masks[i]) : 8));
  }
  f.refcount = 1;
}

SDL_Surface* makeSurface(void* pixels, int w, int h, int depth, int pitch, Uint32 r, Uint32 g,
                         Uint32 b, Uint32 a) {
  if (w <= 0 || h <= 0 || (depth != 16 && depth != 24 && depth != 32)) return nullptr;
  memorySurface* made = new memorySurface();
  describe(made->format, depth, r, g, b, a);
  SDL_Surface& s = made->surface;
  s.format = &made->format;
  s.w = w;
  s.h = h;
  s.pitch = pixels != nullptr ? pitch : (w * made->format.BytesPerPixel + 3) & ~3;
  made->manner.alpha = SDL_ALPHA_OPAQUE;
  made->manner.ownsPixels = pixels == nullptr;
  s.pixels = pixels != nullptr ? pixels : std::calloc(static_cast<size_t>(s.pitch), h);
  s.flags = pixels != nullptr ? SDL_PREALLOC : 0;
  if (a != 0) s.flags |= SDL_SRCALPHA;  // an alpha channel blends unless turned off
  s.clip_rect = {0, 0, w, h};
  s.map = &made->manner;
  s.refcount = 1;
  return &s;
}

SDL_Surface* converted(SDL_Surface* from, int depth, Uint32 r, Uint32 g, Uint32 b, Uint32 a) {
  if (from == nullptr) return nullptr;
  SDL_Surface* to = makeSurface(nullptr, from->w, from->h, depth, 0, r, g, b, a);
  if (to == nullptr) return nullptr;
  convertMemory(from, to);
  return to;
}

// Whether a row differs from the one last handed over: every word looked at, with no
// early exit, so the compiler can compare several at once.
bool rowChanged(const Uint32* row, const Uint32* last, int words) {
  Uint32 differs = 0;
  for (int x = 0; x < words; x++) differs |= row[x] ^ last[x];
  return differs != 0;
}

// Hands the painter the display when any row differs from the frame last handed over
// (from the first such row on, the rest is copied unlooked); a new display goes whole.
void present(SDL_Surface* s) {
  const int words = s->pitch / 4;  // rows are padded to whole words
  const Uint8* pixels = static_cast<const Uint8*>(s->pixels);
  int y = 0;
  if (shown.size() != static_cast<size_t>(words) * s->h) {
    shown.assign(static_cast<size_t>(words) * s->h, 0);
  } else {
    while (y < s->h && !rowChanged(reinterpret_cast<const Uint32*>(pixels + y * s->pitch),
                                   shown.data() + static_cast<size_t>(y) * words, words)) {
      y++;
    }
  }
  if (y == s->h) return;
  std::memcpy(shown.data() + static_cast<size_t>(y) * words, pixels + y * s->pitch,
              static_cast<size_t>(s->h - y) * s->pitch);
  showOnCanvas(shown.data(), s->h * s->pitch);
}
}  // namespace

Uint8 memorySurfaceAlpha(const SDL_Surface* s) { return s->map->alpha; }

Uint32 memorySurfaceKey(const SDL_Surface* s) { return s->map->key; }

SDL_Surface* SDL_CreateRGBSurface(Uint32, int w, int h, int depth, Uint32 r, Uint32 g, Uint32 b,
                                  Uint32 a) {
  return makeSurface(nullptr, w, h, depth, 0, r, g, b, a);
}

SDL_Surface* SDL_CreateRGBSurfaceFrom(void* pixels, int w, int h, int depth, int pitch, Uint32 r,
                                      Uint32 g, Uint32 b, Uint32 a) {
  if (pixels == nullptr) return nullptr;
  return makeSurface(pixels, w, h, depth, pitch, r, g, b, a);
}

void SDL_FreeSurface(SDL_Surface* s) {
  if (s == nullptr || s == display || --s->refcount > 0) return;
  if (s->map->ownsPixels) std::free(s->pixels);
  delete reinterpret_cast<memorySurface*>(s);
}

int SDL_LockSurface(SDL_Surface* s) { return s != nullptr ? 0 : -1; }

void SDL_UnlockSurface(SDL_Surface*) {}

int SDL_SetAlpha(SDL_Surface* s, Uint32 flag, Uint8 alpha) {
  if (s == nullptr) return -1;
  if ((flag & SDL_SRCALPHA) != 0) {
    s->flags |= SDL_SRCALPHA;
    s->map->alpha = alpha;
  } else {
    s->flags &= ~SDL_SRCALPHA;
    s->map->alpha = SDL_ALPHA_OPAQUE;
  }
  return 0;
}

int SDL_SetColorKey(SDL_Surface* s, int flag, Uint32 key) {
  if (s == nullptr) return -1;
  if ((flag & SDL_SRCCOLORKEY) != 0) {
    s->flags |= SDL_SRCCOLORKEY;
    s->map->key = key;
  } else {
    s->flags &= ~SDL_SRCCOLORKEY;
    s->map->key = 0;
  }
  return 0;
}

int SDL_UpperBlit(SDL_Surface* src, const SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) {
  if (src == nullptr || dst == nullptr) return -1;
  SDL_Rect from,
      to = {dstrect != nullptr ? dstrect->x : 0, dstrect != nullptr ? dstrect->y : 0, 0, 0};
  bool any = clipBlit(src, srcrect, dst, to, from);
  if (dstrect != nullptr) *dstrect = to;
  if (!any) return 0;
  blitMemory(src, from, dst, to.x, to.y,
             mannerOf(src, memorySurfaceKey(src), memorySurfaceAlpha(src)));
  return 0;
}

int SDL_FillRect(SDL_Surface* dst, const SDL_Rect* rect, Uint32 colour) {
  if (dst == nullptr) return -1;
  fillMemory(dst, rect, colour);
  return 0;
}

Uint32 SDL_MapRGB(const SDL_PixelFormat* f, Uint8 r, Uint8 g, Uint8 b) {
  return mapChannels(f, r, g, b, SDL_ALPHA_OPAQUE);
}

Uint32 SDL_MapRGBA(const SDL_PixelFormat* f, Uint8 r, Uint8 g, Uint8 b, Uint8 a) {
  return mapChannels(f, r, g, b, a);
}

void SDL_GetRGB(Uint32 pixel, const SDL_PixelFormat* f, Uint8* r, Uint8* g, Uint8* b) {
  Uint8 a;
  splitChannels(f, pixel, r, g, b, &a);
}

void SDL_GetRGBA(Uint32 pixel, const SDL_PixelFormat* f, Uint8* r, Uint8* g, Uint8* b, Uint8* a) {
  splitChannels(f, pixel, r, g, b, a);
}

// The display's format, 16-bit RGB565, with the source's key and surface alpha kept.
SDL_Surface* SDL_DisplayFormat(SDL_Surface* from) {
  SDL_Surface* to = converted(from, 16, 0, 0, 0, 0);
  if (to == nullptr) return nullptr;
  if ((from->flags & SDL_SRCCOLORKEY) != 0) {
    Uint8 r, g, b, a;
    splitChannels(from->format, from->map->key, &r, &g, &b, &a);
    SDL_SetColorKey(to, SDL_SRCCOLORKEY, mapChannels(to->format, r, g, b, a));
  }
  if ((from->flags & SDL_SRCALPHA) != 0 && from->format->Amask == 0) {
    SDL_SetAlpha(to, SDL_SRCALPHA, from->map->alpha);
  }
  return to;
}

// ARGB8888 with its alpha blending; a keyed source's key pixels become transparent.
SDL_Surface* SDL_DisplayFormatAlpha(SDL_Surface* from) {
  SDL_Surface* to = converted(from, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
  if (to == nullptr || (from->flags & SDL_SRCCOLORKEY) == 0) return to;
  for (int y = 0; y < from->h; y++) {
    const Uint8* in = static_cast<const Uint8*>(from->pixels) + y * from->pitch;
    Uint32* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(to->pixels) + y * to->pitch);
    for (int x = 0; x < from->w; x++, in += from->format->BytesPerPixel) {
      Uint32 v = 0;
      std::memcpy(&v, in, from->format->BytesPerPixel);
      if (v == from->map->key) out[x] = 0;
    }
  }
  return to;
}

// 1 while the page is still fetching the pack that holds file (media.js), which it then
// fetches first; 0 when the file is in or will not come, or no page fetches media.
EM_JS(int, mediaOnItsWayJs, (const char* file),
      { return Module['skarnfallWant'] ? Module['skarnfallWant'](UTF8ToString(file)) : 0; });
const int MEDIA_POLL_MS = 50;  // how often a picture's wait asks whether its pack is in

// Pictures are decoded in the program by the stb reader into bytes R, G, B, A. A picture
// whose pack has not yet arrived is waited for, the page showing its progress.
SDL_Surface* IMG_Load(const char* file) {
  while (mediaOnItsWayJs(file)) emscripten_sleep(MEDIA_POLL_MS);
  int w = 0, h = 0, channels = 0;
  unsigned char* pixels = stbi_load(file, &w, &h, &channels, 4);
  if (pixels == nullptr) return nullptr;
  bool alpha = channels == 2 || channels == 4;
  SDL_Surface* s =
      makeSurface(nullptr, w, h, 32, 0, 0x000000FF, 0x0000FF00, 0x00FF0000, alpha ? 0xFF000000 : 0);
  if (s != nullptr) {
    for (int y = 0; y < h; y++) {
      std::memcpy(static_cast<Uint8*>(s->pixels) + y * s->pitch, pixels + y * w * 4,
                  static_cast<size_t>(w) * 4);
    }
  }
  stbi_image_free(pixels);
  return s;
}

SDL_Surface* SDL_SetVideoMode(int w, int h, int, Uint32) {
  if (display != nullptr) {
    SDL_Surface* old = display;
    display = nullptr;
    SDL_FreeSurface(old);
  }
  display = makeSurface(nullptr, w, h, 16, 0, 0, 0, 0, 0);
  shown.clear();
  if (display != nullptr) sizeCanvas(w, h);
  return display;
}

SDL_Surface* SDL_GetVideoSurface() { return display; }

int SDL_Flip(SDL_Surface* s) {
  if (s == nullptr || s != display) return -1;
  present(s);
  return 0;
}

void SDL_UpdateRect(SDL_Surface* s, Sint32, Sint32, Uint32, Uint32) { SDL_Flip(s); }

void sleepForTick(Uint32 ms, Uint32 periodMs) {
  sleepForTickJs(static_cast<int>(ms), static_cast<int>(periodMs));
}
