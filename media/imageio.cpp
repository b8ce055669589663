// Writes canvases as 24-bit BMP (colour-keyed transparency) or RGBA PNG.
#include "imageio.h"

#include <sys/stat.h>

#include <cstdio>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBIW_WINDOWS_UTF8 0
#include <stb/stb_image_write.h>

bool hitsKey565(int r, int g, int b) {
  return (r >> 3) == (KEY_R >> 3) && (g >> 2) == (KEY_G >> 2) && (b >> 3) == (KEY_B >> 3);
}

void makeParentDirs(const std::string& path) {
  for (size_t i = 1; i < path.size(); ++i)
    if (path[i] == '/') mkdir(path.substr(0, i).c_str(), 0755);
}

void put16(std::vector<unsigned char>& v, unsigned x) {
  v.push_back(x & 255);
  v.push_back((x >> 8) & 255);
}
void put32(std::vector<unsigned char>& v, unsigned x) {
  put16(v, x & 0xFFFF);
  put16(v, x >> 16);
}

bool writeBMP(const std::string& path, const Image& im) {
  int stride = (im.w * 3 + 3) & ~3;
  unsigned dataSize = (unsigned)stride * im.h;
  std::vector<unsigned char> f;
  f.push_back('B');
  f.push_back('M');
  put32(f, 54 + dataSize);
  put32(f, 0);
  put32(f, 54);
  put32(f, 40);
  put32(f, im.w);
  put32(f, im.h);
  put16(f, 1);
  put16(f, 24);
  put32(f, 0);
  put32(f, dataSize);
  put32(f, 2835);
  put32(f, 2835);
  put32(f, 0);
  put32(f, 0);
  for (int y = im.h - 1; y >= 0; --y) {
    size_t rowStart = f.size();
    for (int x = 0; x < im.w; ++x) {
      Col c = im.px[(size_t)y * im.w + x];
      int r = c.r, g = c.g, b = c.b;
      if (c.a < 128) {
        r = KEY_R;
        g = KEY_G;
        b = KEY_B;
      } else if (hitsKey565(r, g, b)) {
        g = g >= KEY_G ? 106 : 97;  // step one 6-bit green level away from the key
      }
      f.push_back((unsigned char)b);
      f.push_back((unsigned char)g);
      f.push_back((unsigned char)r);
    }
    while (f.size() - rowStart < (size_t)stride) f.push_back(0);
  }
  makeParentDirs(path);
  FILE* fp = fopen(path.c_str(), "wb");
  if (!fp) return false;
  bool ok = fwrite(f.data(), 1, f.size(), fp) == f.size();
  return fclose(fp) == 0 && ok;
}

bool writePNG(const std::string& path, const Image& im) {
  std::vector<unsigned char> d((size_t)im.w * im.h * 4);
  for (size_t i = 0; i < im.px.size(); ++i) {
    Col c = im.px[i];
    if (c.a == 0) c = Col();
    d[i * 4 + 0] = c.r;
    d[i * 4 + 1] = c.g;
    d[i * 4 + 2] = c.b;
    d[i * 4 + 3] = c.a;
  }
  makeParentDirs(path);
  return stbi_write_png(path.c_str(), im.w, im.h, 4, d.data(), im.w * 4) != 0;
}
