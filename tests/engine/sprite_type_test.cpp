// Sheets: frame cells, offsets and the wrapping background strip.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <random>
#include <string>

#include "engine/sprite_type.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "tests/support/headless.h"

namespace {
// A picture whose every pixel encodes its own coordinates so that they survive the
// 16-bit display: red holds x mod 32, blue x / 32 (5 bits each), green y mod 64 (6 bits).
std::string writeCoordinateBmp(int w, int h) {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF, 0xFF00, 0xFF0000, 0);
  SDL_LockSurface(s);
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 3;
      p[0] = static_cast<Uint8>((x % 32) * 8);
      p[1] = static_cast<Uint8>((y % 64) * 4);
      p[2] = static_cast<Uint8>((x / 32 % 32) * 8);
    }
  }
  SDL_UnlockSurface(s);
  std::string name = (std::filesystem::temp_directory_path() /
                      ("skarnfall-sheet-" + std::to_string(std::random_device()()) + ".bmp"))
                         .string();
  SDL_SaveBMP(s, name.c_str());
  SDL_FreeSurface(s);
  return name;
}

struct SheetTest : testing::Test {
  SDL_Surface* target = nullptr;
  void SetUp() override {
    openHeadlessDisplay();
    target = makeScreenSurface();
    SDL_FillRect(target, nullptr, 0);
  }
  void TearDown() override {
    SDL_FreeSurface(target);
    closeHeadlessDisplay();
  }
  // The image column and row (mod 64) that ended up at each screen pixel (x, y, column, row).
  void expectSources(std::initializer_list<std::array<int, 4>> points) {
    for (const auto& p : points) {
      Uint8 r, g, b;
      readPixel(target, p[0], p[1], r, g, b);
      EXPECT_EQ(r / 8 + 32 * (b / 8), p[2]) << p[0] << "," << p[1];
      EXPECT_EQ(g / 4, p[3]) << p[0] << "," << p[1];
    }
  }
};
}  // namespace

TEST_F(SheetTest, FrameCellIsTakenTenToARow) {
  std::string file = writeCoordinateBmp(450, 60);
  spriteType sheet(3, file.c_str(), BMP, 254, 102, 254, 45, 20);
  sheet.setMaxFrame(30);
  ASSERT_NE(sheet.image, nullptr);
  sheet.draw(100.0f, 100.0f, 23, target);
  expectSources({{100, 100, 135, 40}, {144, 119, 179, 59}});
  unlink(file.c_str());
}

TEST_F(SheetTest, OffsetsPlaceALargerCellAroundTheObject) {
  std::string file = writeCoordinateBmp(50, 50);
  spriteType sheet(5, file.c_str(), BMP, 254, 102, 254, 10, 10);
  sheet.setOffsets(20.0f, 20.0f, 20.0f, 20.0f);
  sheet.draw(100.0f, 100.0f, 0, target);
  expectSources({{80, 80, 0, 0}, {129, 129, 49, 49}});  // the whole 50 by 50 cell
  unlink(file.c_str());
}

TEST_F(SheetTest, BackgroundStripInOneAndTwoPieces) {
  std::string file = writeCoordinateBmp(640, 215);
  spriteType sheet(41, file.c_str(), BMP, 254, 102, 254, 640, 215);
  sheet.draw(100.7f, 640, target);  // one piece
  expectSources({{0, 25, 100, 0}, {319, 239, 419, 214 % 64}});
  sheet.draw(400.5f, 640, target);  // two pieces
  expectSources({{0, 25, 400, 0}, {239, 25, 639, 0}, {240, 25, 0, 0}, {319, 25, 79, 0}});
  sheet.draw(320.0f, 640, target);  // one piece up to the very end
  expectSources({{0, 25, 320, 0}, {319, 25, 639, 0}});
  unlink(file.c_str());
}
