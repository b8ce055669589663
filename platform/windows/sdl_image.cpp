// IMG_Load for the Windows build, which carries no SDL_image (Debian's source could not be
// fetched to build one): bitmaps read by SDL itself, as SDL_image reads them, and PNG
// pictures decoded by the stb reader into bytes R, G, B, A, as in the browser, on a surface
// of SDL_image's layout for them.
#include <SDL/SDL_image.h>

#include <cstring>
#include <string>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

extern "C" SDL_Surface* IMG_Load(const char* file) {
  SDL_RWops* source = SDL_RWFromFile(file, "rb");
  if (source == nullptr) return nullptr;
  Sint64 size = SDL_RWseek(source, 0, RW_SEEK_END);
  SDL_RWseek(source, 0, RW_SEEK_SET);
  std::string bytes(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  bool read = size > 0 && SDL_RWread(source, &bytes[0], 1, static_cast<int>(size)) == size;
  SDL_RWclose(source);
  if (read && bytes.compare(0, 2, "BM") == 0) {
    return SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(size)), 1);
  }
  int w = 0, h = 0, channels = 0;
  unsigned char* pixels =
      read ? stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                   static_cast<int>(size), &w, &h, &channels, 4)
           : nullptr;
  if (pixels == nullptr) {
    SDL_SetError("Cannot read the picture %s", file);
    return nullptr;
  }
  bool alpha = channels == 2 || channels == 4;
  SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x000000FF, 0x0000FF00,
                                              0x00FF0000, alpha ? 0xFF000000 : 0);
  if (surface != nullptr) {
    for (int y = 0; y < h; y++) {
      std::memcpy(static_cast<Uint8*>(surface->pixels) + y * surface->pitch, pixels + y * w * 4,
                  static_cast<size_t>(w) * 4);
    }
  }
  stbi_image_free(pixels);
  return surface;
}
