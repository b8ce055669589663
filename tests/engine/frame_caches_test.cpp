// The frame's caches and shortcuts give exactly what the plain computation gives: the
// remembered move velocities and heading increments, the sheet runs and the covered clear,
// each on inputs that differ from the last in one field.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/enemy.h"
#include "engine/game_action.h"
#include "engine/sprite_type.h"
#include "platform/constants.h"
#include "platform/frame_shortcuts.h"
#include "tests/support/headless.h"

namespace {
// More values per field than any memo has slots, so that inputs differing in that one
// field alone come to share a slot.
constexpr int STEPS = 150;

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }
}  // namespace

TEST(FrameCaches, RememberedVelocitiesAreWorkedOutAfresh) {
  for (int field = 0; field < 3; field++) {
    for (int k = 0; k < STEPS; k++) {
      float in[3] = {30.0f, -20.0f, 2.5f};  // dx, dy, speed
      in[field] = k % 5 == 0 ? 0.0f : in[field] + 0.37f * static_cast<float>(k - STEPS / 2);
      gameAction step(MOVE, 10.0f, 40.0f, 10.0f + in[0], 40.0f + in[1], in[2], 1, 0);
      moveVelocity plain =
          velocityOf(step.finishX - step.startX, step.finishY - step.startY, in[2]);
      ASSERT_EQ(step.direction, plain.direction) << field << " " << k;
      ASSERT_TRUE(sameBits(step.xMultiplier, plain.xMultiplier)) << field << " " << k;
      ASSERT_TRUE(sameBits(step.yMultiplier, plain.yMultiplier)) << field << " " << k;
    }
  }
}

TEST(FrameCaches, RememberedHeadingIncrementsAreWorkedOutAfresh) {
  const float quarter[] = {0.0f, DTR90, ARC_PI, DTR270};
  for (int field = 0; field < 2; field++) {
    for (int k = 0; k < STEPS; k++) {
      float heading = k % 7 == 0 ? quarter[k / 7 % 4] : 0.0437f * static_cast<float>(k);
      float speed = 3.0f + (field == 1 ? 0.13f * static_cast<float>(k) : 0.0f);
      if (field == 1) heading = 1.0f;
      enemy e(DEFAULT_ENEMY, heading, speed, 100, 100, nullptr, ENEMY, 45, 20);
      float x = e.xIncrement, y = e.yIncrement;
      e.workOutIncrements();
      ASSERT_TRUE(sameBits(x, e.xIncrement)) << heading << " " << speed;
      ASSERT_TRUE(sameBits(y, e.yIncrement)) << heading << " " << speed;
    }
  }
}

struct FrameShortcutsTest : testing::Test {
  SDL_Surface* fast = nullptr;
  SDL_Surface* plain = nullptr;
  void SetUp() override {
    openHeadlessDisplay();
    fast = makeScreenSurface();
    plain = makeScreenSurface();
  }
  void TearDown() override {
    frameShortcuts = frameShortcutSwitches();
    SDL_FreeSurface(fast);
    SDL_FreeSurface(plain);
    closeHeadlessDisplay();
  }
};

// A sheet drawn by its runs and by SDL leaves the same pixels, whatever the cell, place,
// target clip or colour key.
TEST_F(FrameShortcutsTest, SheetRunsDrawAsSdlDraws) {
  spriteType sheet(DEFAULT_ENEMY, "sprites/bubblesheet.bmp", BMP, 254, 102, 254, 45, 20);
  ASSERT_NE(sheet.runs, nullptr);
  sheet.setMaxFrame(6);
  const struct {
    float x, y;
    int frame;
    SDL_Rect clip;
    bool otherKey;
  } rows[] = {{100, 100, 0, {0, 0, 320, 240}, false},  {-20, 100, 0, {0, 0, 320, 240}, false},
              {100, -10, 0, {0, 0, 320, 240}, false},  {300, 230, 0, {0, 0, 320, 240}, false},
              {100, 100, 5, {0, 0, 320, 240}, false},  {100, 100, 9, {0, 0, 320, 240}, false},
              {100, 100, -1, {0, 0, 320, 240}, false}, {100, 100, 3, {110, 105, 20, 8}, false},
              {100, 100, 3, {0, 0, 320, 240}, true}};
  for (const auto& r : rows) {
    SDL_SetColorKey(sheet.image, SDL_SRCCOLORKEY,
                    r.otherKey ? 0 : SDL_MapRGB(sheet.image->format, 254, 102, 254));
    Uint32 seed = 7, same = 7;
    fillNoise(fast, seed);
    fillNoise(plain, same);
    SDL_Rect clip = r.clip;
    SDL_SetClipRect(fast, &clip);
    SDL_SetClipRect(plain, &clip);
    frameShortcuts.sheetRuns = true;
    sheet.draw(r.x, r.y, r.frame, fast);
    frameShortcuts.sheetRuns = false;
    sheet.draw(r.x, r.y, r.frame, plain);
    EXPECT_TRUE(sameRows(fast, plain, 0)) << r.x << "," << r.y << " frame " << r.frame;
  }
}

// A strip the covered clear trusts sets every play-field pixel: drawn over anything, it
// leaves what it leaves over black.
TEST_F(FrameShortcutsTest, ACoveringStripHidesWhateverWasBelow) {
  spriteType strip(BACKGROUND_1, "backgrounds/forest1.bmp", BMP, 254, 102, 254, 320, 215);
  ASSERT_NE(strip.image, nullptr);
  const int wide = strip.image->w;
  const struct {
    float position;
    int width;
    bool keyed;  // the image's key changed after its runs were found
    bool covers;
  } rows[] = {{0, wide, false, true},
              {wide - 10.0f, wide, false, true},
              {-1, wide, false, false},
              {0, 319, false, false},
              {0, wide + 1, false, false},
              {0, wide, true, false},
              {wide - 200.5f, wide, false, true}};
  for (const auto& r : rows) {
    SDL_SetColorKey(strip.image, SDL_SRCCOLORKEY,
                    r.keyed ? 0 : SDL_MapRGB(strip.image->format, 254, 102, 254));
    EXPECT_EQ(strip.coversStrip(r.position, r.width), r.covers) << r.position << " " << r.width;
    if (!strip.coversStrip(r.position, r.width)) continue;
    Uint32 seed = 3;
    fillNoise(fast, seed);
    SDL_FillRect(plain, nullptr, 0);
    strip.draw(r.position, r.width, fast);
    strip.draw(r.position, r.width, plain);
    EXPECT_TRUE(sameRows(fast, plain, SCREEN_TOP)) << r.position << " " << r.width;
  }
}
