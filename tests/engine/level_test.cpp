// The level object: what a new level holds, its sound-loading messages, the filling
// operations (also with bad slots) and its text drawing.
#include <unistd.h>

#include "engine/avatar.h"
#include "engine/enemy_list.h"
#include "engine/sprite.h"
#include "engine/sprite_type.h"
#include "engine/wave.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "tests/support/level_fixture.h"

namespace {
// Columns of the level screen with a lit pixel in rows y to y + 10.
int litColumns(SDL_Surface* surface, int y) {
  int columns = 0;
  for (int x = 0; x < 80; x++) {
    bool lit = false;
    for (int row = y; row < y + 10; row++) {
      Uint8 r, g, b;
      readPixel(surface, x, row, r, g, b);
      lit = lit || r > 128;
    }
    columns += lit;
  }
  return columns;
}
}  // namespace

using Level = LevelFixture;

TEST_F(Level, StartsWithAShipOfThreeHealthAndNothingElse) {
  EXPECT_EQ(levelScreen, screen);
  EXPECT_EQ(lv->levelFont, font);
  EXPECT_EQ(lv->levelAv->getHealth(), 3);
  EXPECT_EQ(lv->levelAv->getX(), 10.0f);
  EXPECT_EQ(lv->levelAv->getY(), 10.0f);
  EXPECT_EQ(lv->levelAv->getWidth(), 45);
  EXPECT_EQ(lv->levelAv->maxFrame, 6);
  EXPECT_EQ(lv->levelAv->bulletInterval, 7);
  EXPECT_EQ(lv->eList->enemyCount(), 0);
  EXPECT_FALSE(lv->wList->nextWave());
  for (int i = 0; i < 100; i++) ASSERT_EQ(lv->levelSprites[i], nullptr);
  for (int i = 0; i < 10; i++) ASSERT_EQ(lv->backgrounds[i], nullptr);
  EXPECT_FALSE(lv->endLevel);
  EXPECT_EQ(lv->fadeLength, 0.0f);
  EXPECT_EQ(lv->music, nullptr);
  for (int i = 0; i < 10; i++) {
    EXPECT_EQ(lv->highScores[i], 0);
    EXPECT_STREQ(lv->highScoreNames[i], std::string(30, ' ').c_str());
    EXPECT_FALSE(lv->highExtrasUsed[i][9]);
    EXPECT_FALSE(lv->extrasUsed[i]);
  }
}

TEST_F(Level, ReportsEachSoundThatFailsToLoadInOrder) {
  scratchGameDir scratch;
  unlink("sounds");
  startCapturingStdout();
  level* silent = new level(screen, font);
  std::string printed = stopCapturingStdout();
  EXPECT_EQ(printed,
            "Avatar Gun Sound failed to load\nAvatar Explode Sound failed to load\n"
            "Enemy Gun Sound failed to load\nEnemy Explode Sound failed to load\n"
            "Double fire Sound failed to load\nTriple Fire Sound failed to load\n"
            "Points 500 Sound failed to load\nPoints 100 Sound failed to load\n"
            "Health Pack Sound failed to load\nMade Leaderboard Sound failed to load\n"
            "Extra Bomb Sound failed to load\nSmart Bomb Sound failed to load\n");
  EXPECT_EQ(silent->smart_bomb_sound, nullptr);
  delete silent;
}

TEST_F(Level, FillsSlotsAndIgnoresEmptyOrOutOfRangeOnes) {
  lv->addSpriteType(51, DEFAULT_ENEMY, "sprites/none.bmp", BMP, 254, 102, 254, 30, 20);
  ASSERT_NE(lv->levelSprites[51], nullptr);
  EXPECT_EQ(lv->levelSprites[51]->typeId, DEFAULT_ENEMY);
  lv->setOffsets(51, 1, 2, 3, 4);
  lv->setMaxFrame(51, 9);
  EXPECT_EQ(lv->levelSprites[51]->bottomOffset, 4.0f);
  EXPECT_EQ(lv->levelSprites[51]->maxFrame, 9);
  lv->addSpriteType(51, DEFAULT_ENEMY_2, "sprites/none.bmp", BMP, 254, 102, 254, 30, 20);
  EXPECT_EQ(lv->levelSprites[51]->typeId, DEFAULT_ENEMY_2);  // the old sheet is released

  lv->setOffsets(52, 1, 2, 3, 4);
  lv->setMaxFrame(52, 3);
  lv->setOffsets(-1, 1, 2, 3, 4);
  lv->setMaxFrame(100, 3);
  lv->addSpriteType(100, 1, "x", BMP, 0, 0, 0, 1, 1);
  EXPECT_EQ(lv->levelSprites[52], nullptr);

  lv->addBackground(2, BACKGROUND_3, DTR90, 1.5f, 0, 25, 1, HARMLESS, 640, 215);
  lv->addBackground(10, BACKGROUND_3, DTR90, 1.5f, 0, 25, 1, HARMLESS, 640, 215);
  EXPECT_TRUE(lv->bGActive[2]);
  ASSERT_NE(lv->backgrounds[2], nullptr);
  EXPECT_EQ(lv->backgrounds[2]->speed, 1.5f);
  EXPECT_FALSE(lv->bGActive[3]);

  lv->setProfileName(0, 'Z');
  lv->setProfileName(31, 'Q');
  lv->setExtrasUsed(10, true);
  EXPECT_EQ(lv->profileName[0], 'Z');
  EXPECT_EQ(lv->profileName[30], '\0');

  wave* first = new wave();
  first->append(new wavelet(ADD_ENEMY, DEFAULT_ENEMY, DTR270, 0.5f, 300, 100, nullptr, ENEMY, 30,
                            20));
  lv->addWave(first);
  lv->addWave(new wave());
  EXPECT_TRUE(lv->wList->nextWave());
  EXPECT_EQ(lv->eList->enemyCount(), 1);
  EXPECT_TRUE(lv->wList->nextWave());
  EXPECT_FALSE(lv->wList->nextWave());
}

TEST_F(Level, DrawsNumbersWithTheirSign) {
  SDL_FillRect(screen, nullptr, 0);
  lv->drawTextInt(screen, 0, 0, 0, 255, 255, 255);
  lv->drawTextInt(screen, 7, 0, 20, 255, 255, 255);
  lv->drawTextInt(screen, -7, 0, 40, 255, 255, 255);
  lv->drawText("", 0, 60, 255, 255, 255);
  EXPECT_GT(litColumns(screen, 0), 2) << "0 is drawn";
  EXPECT_GT(litColumns(screen, 40), litColumns(screen, 20)) << "the minus sign is drawn";
  EXPECT_EQ(litColumns(screen, 60), 0);
  lv->levelFont = nullptr;
  lv->drawText("no font", 0, 80, 255, 255, 255);  // draws nothing rather than crash
}
