// Sheets: frame cells, offsets and the wrapping background strip.
#include <gtest/gtest.h>
#include <unistd.h>

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
  char name[] = "/tmp/skarnfall-sheet-XXXXXX.bmp";
  int fd = mkstemps(name, 4);
  close(fd);
  SDL_SaveBMP(s, name);
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
  // The image column and row (mod 64) that ended up at a screen pixel.
  void sourceAt(int sx, int sy, int& column, int& row) {
    Uint8 r, g, b;
    readPixel(target, sx, sy, r, g, b);
    column = r / 8 + 32 * (b / 8);
    row = g / 4;
  }
};
}  // namespace

TEST_F(SheetTest, FrameCellIsTakenTenToARow) {
  std::string file = writeCoordinateBmp(450, 60);
  spriteType sheet(3, file.c_str(), BMP, 254, 102, 254, 45, 20);
  sheet.setMaxFrame(30);
  ASSERT_NE(sheet.image, nullptr);
  sheet.draw(100.0f, 100.0f, 23, target);
  EXPECT_EQ(sheet.srcRect.x, 135);
  EXPECT_EQ(sheet.srcRect.y, 40);
  int column, row;
  sourceAt(100, 100, column, row);
  EXPECT_EQ(column, 135);
  EXPECT_EQ(row, 40);
  sourceAt(144, 119, column, row);
  EXPECT_EQ(column, 179);
  EXPECT_EQ(row, 59);
  unlink(file.c_str());
}

TEST_F(SheetTest, OffsetsPlaceALargerCellAroundTheObject) {
  std::string file = writeCoordinateBmp(50, 50);
  spriteType sheet(5, file.c_str(), BMP, 254, 102, 254, 10, 10);
  sheet.setOffsets(20.0f, 20.0f, 20.0f, 20.0f);
  EXPECT_EQ(sheet.tempW, 50);
  EXPECT_EQ(sheet.tempH, 50);
  EXPECT_EQ(sheet.srcRect.w, 50);
  sheet.draw(100.0f, 100.0f, 0, target);
  EXPECT_EQ(sheet.dstRect.x, 80);
  EXPECT_EQ(sheet.dstRect.y, 80);
  int column, row;
  sourceAt(80, 80, column, row);
  EXPECT_EQ(column, 0);
  EXPECT_EQ(row, 0);
  unlink(file.c_str());
}

TEST_F(SheetTest, BackgroundStripInOneAndTwoPieces) {
  std::string file = writeCoordinateBmp(640, 215);
  spriteType sheet(41, file.c_str(), BMP, 254, 102, 254, 640, 215);
  int column, row;
  sheet.draw(100.7f, 640, target);
  sourceAt(0, 25, column, row);
  EXPECT_EQ(column, 100);
  EXPECT_EQ(row, 0);
  sourceAt(319, 239, column, row);
  EXPECT_EQ(column, 419);
  EXPECT_EQ(row, 214 % 64);

  sheet.draw(400.5f, 640, target);
  sourceAt(0, 25, column, row);
  EXPECT_EQ(column, 400);
  sourceAt(239, 25, column, row);
  EXPECT_EQ(column, 639);
  sourceAt(240, 25, column, row);
  EXPECT_EQ(column, 0);
  sourceAt(319, 25, column, row);
  EXPECT_EQ(column, 79);

  sheet.draw(320.0f, 640, target);
  sourceAt(0, 25, column, row);
  EXPECT_EQ(column, 320);
  sourceAt(319, 25, column, row);
  EXPECT_EQ(column, 639);
  unlink(file.c_str());
}
