// Filling a level from the content tables (sheets with their frames and hit boxes, the
// theme's layers and waves) and playing a level from the game: which tables it reads and
// writes, and the starting health taken when play begins.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "content/level_content.h"
#include "engine/sprite.h"
#include "engine/sprite_type.h"
#include "engine/wave.h"
#include "frontend/game.h"
#include "frontend/level_setup.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "tests/support/level_fixture.h"

using namespace levelContent;

using LevelFill = LevelFixture;

TEST_F(LevelFill, SheetsLandInTheirSlotsWithFramesAndHitBoxes) {
  loadSheets(*lv, ENEMY_SHEETS, ENEMY_SHEET_COUNT);
  loadSheets(*lv, COMMON_SHEETS, COMMON_SHEET_COUNT);
  int filled = 0;
  for (spriteType* sheet : lv->levelSprites) filled += sheet != nullptr;
  EXPECT_EQ(filled, ENEMY_SHEET_COUNT + COMMON_SHEET_COUNT) << "no slot filled twice";
  for (const sheetRow* rows : {ENEMY_SHEETS, COMMON_SHEETS}) {
    int count = rows == ENEMY_SHEETS ? ENEMY_SHEET_COUNT : COMMON_SHEET_COUNT;
    for (int i = 0; i < count; i++) {
      const sheetRow& row = rows[i];
      SCOPED_TRACE(row.file);
      spriteType* sheet = lv->levelSprites[row.slot];
      ASSERT_NE(sheet, nullptr);
      ASSERT_NE(sheet->image, nullptr) << "the picture loads";
      EXPECT_EQ(sheet->typeId, row.tId);
      EXPECT_EQ(sheet->maxFrame, row.frames);
      EXPECT_EQ(sheet->tempW, row.width + 2 * row.offsets) << "the cell around the object";
      EXPECT_EQ(sheet->transGreen, 102);
    }
  }
}

TEST_F(LevelFill, ThemeLayersScrollFromTheTopOfThePlayFieldAndWavesRunOut) {
  for (const themeRow& theme : THEMES) {
    SCOPED_TRACE(theme.name);
    level* fresh = makeLevel();
    addThemeLayers(*fresh, theme);
    for (int i = 0; i < MAX_LAYERS; i++) {
      background* layer = fresh->backgrounds[i];
      if (i >= layerCount(theme)) {
        EXPECT_EQ(layer, nullptr);
        continue;
      }
      ASSERT_NE(layer, nullptr);
      ASSERT_NE(fresh->levelSprites[layer->typeId], nullptr);
      EXPECT_EQ(layer->typeId, theme.layers[i].slot);
      EXPECT_EQ(layer->speed, theme.layers[i].speed);
      EXPECT_EQ(layer->direction, DTR90);
      EXPECT_EQ(layer->x, 0.0f);
      EXPECT_EQ(layer->y, 25.0f);
    }
    addThemeWaves(*fresh, theme);
    int released = 0;
    while (released <= WAVES_PER_THEME && fresh->wList->nextWave()) released++;
    EXPECT_EQ(released, WAVES_PER_THEME);
    delete fresh;
  }
}

// ---- Playing a level from the game ----
namespace {
// Each read of the virtual clock moves it ten ticks on, the longest step a frame takes,
// so that fades and the run-out of a level pass in few frames.
constexpr Uint32 MS_PER_READ = 160;
constexpr int READS_BETWEEN_PRESSES = 8;

// A game in a scratch directory whose records/ starts empty, on the virtual clock.
class PlayLevel : public ::testing::Test {
 protected:
  scratchGameDir scratch;
  game* theGame = nullptr;

  void SetUp() override {
    openHeadlessDisplay();
    virtualClock::install(MS_PER_READ);
    theGame = new game();
  }
  void TearDown() override {
    delete theGame;
    closeHeadlessDisplay();
  }
  static bool timeToPress(Uint32 now) { return (now / MS_PER_READ) % READS_BETWEEN_PRESSES == 0; }
  static std::set<std::string> recordFiles() {
    std::vector<std::string> names = directoryEntries("records");
    return std::set<std::string>(names.begin(), names.end());
  }
};
}  // namespace

TEST_F(PlayLevel, AThemedLevelReadsAndWritesOnlyItsOwnTable) {
  // Whole 490-byte tables: ten scores of 111111111 by "111...", every flag set; and zeros.
  const std::string own(490, '1'), other(490, '0');
  for (const char* name :
       {"records/highscores1.txt", "records/highscores2.txt", "records/highscores3.txt"})
    writeWholeFile(name, name[18] == '2' ? own : other);
  // Space leaves every table and outcome screen, Escape a level in play.
  virtualClock::onEveryRead([](Uint32 now) {
    if (!timeToPress(now)) return;
    pushKeyPress(SDLK_SPACE);
    pushKeyPress(SDLK_ESCAPE);
  });

  EXPECT_EQ(theGame->playLevel(2), PLAYER_QUIT);
  // Quitting at once scores too little to enter, so the table goes back as it was read.
  EXPECT_EQ(readWholeFile("records/highscores2.txt"), own);
  EXPECT_EQ(readWholeFile("records/highscores1.txt"), other);
  EXPECT_EQ(readWholeFile("records/highscores3.txt"), other);
  EXPECT_EQ(recordFiles(),
            (std::set<std::string>{"highscores1.txt", "highscores2.txt", "highscores3.txt"}));
}

TEST_F(PlayLevel, StartingHealthIsTheProfileSettingWhenPlayBeginsAndTheScoreIsEntered) {
  theGame->healthSettings[7] = 5;  // would earn no bonus
  theGame->healthSettings[8] = 1;  // a neighbour's setting must not be used
  memcpy(theGame->profileName, "Seventh Pilot                 ", 31);
  game* g = theGame;
  virtualClock::onEveryRead([g](Uint32 now) {
    g->healthSettings[7] = 2;  // grade B: 7500; the table screen reads the clock before play
    if (timeToPress(now)) pushKeyPress(SDLK_SPACE);
  });

  EXPECT_EQ(theGame->playLevel(7), LEVEL_COMPLETE);
  // The table, and beside it the entry's run and the index naming it.
  EXPECT_EQ(recordFiles(),
            (std::set<std::string>{"highscores7.txt", "highscores7.runs", "highscores7-run1.run"}));
  std::string table = readWholeFile("records/highscores7.txt");
  ASSERT_EQ(table.size(), 490u);
  EXPECT_EQ(table.substr(0, 9), "000007500");
  EXPECT_EQ(table.substr(9, 30), "Seventh Pilot                 ");
}
