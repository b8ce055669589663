// The level content tables and the set-up of whole levels.
#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/enemy.h"
#include "engine/enemy_list.h"
#include "engine/level.h"
#include "engine/sprite.h"
#include "engine/sprite_type.h"
#include "engine/wave.h"
#include "shell/clock.h"
#include "shell/game.h"
#include "shell/globals.h"
#include "shell/level_setup.h"
#include "tests/level_fixture.h"
#include "tests/support/headless.h"
#include "shell/constants.h"
#include "shell/level_content.h"

using namespace levelContent;

namespace {
enum themeIndex { FOREST, RUIN, CITY, MOUNTAIN };

// A wave's calls written the way a level designer reads them: "4(100)", "1(0)*", "3(0)**".
std::string describe(const waveRow& row) {
  std::string text;
  for (int i = 0; i < callCount(row); i++) {
    const patternCall& call = row.calls[i];
    if (!text.empty()) text += ", ";
    text += std::to_string(call.pattern) + "(" + std::to_string(static_cast<int>(call.yOffset)) +
            ")" + std::string(call.difficulty == 3 ? 1 : call.difficulty == 4 ? 2 : 0, '*');
    if (call.difficulty != 0 && call.difficulty != 3 && call.difficulty != 4) text += "?";
  }
  return text;
}

std::string cell(int theme, int waveNumber) {
  return describe(THEMES[theme].waves[waveNumber - 1]);
}

std::vector<int> slotsOf(const sheetRow* rows, int count) {
  std::vector<int> slots;
  for (int i = 0; i < count; i++) slots.push_back(rows[i].slot);
  return slots;
}

const sheetRow* rowForSlot(const sheetRow* rows, int count, int slot) {
  for (int i = 0; i < count; i++) {
    if (rows[i].slot == slot) return &rows[i];
  }
  return nullptr;
}
}  // namespace

TEST(LevelContent, EveryThemeHasTwentyTwoWellFormedWavesEndingWithItsBoss) {
  const int bossDifficulty[THEME_COUNT] = {3, 3, 4, 4};
  for (int theme = 0; theme < THEME_COUNT; theme++) {
    SCOPED_TRACE(THEMES[theme].name);
    ASSERT_NE(THEMES[theme].waves, nullptr);
    for (int w = 0; w < WAVES_PER_THEME; w++) {
      const waveRow& row = THEMES[theme].waves[w];
      SCOPED_TRACE("wave " + std::to_string(w + 1));
      int calls = callCount(row);
      EXPECT_GE(calls, 1) << "a wave without enemies would end the level early";
      for (int i = 0; i < calls; i++) {
        const patternCall& call = row.calls[i];
        EXPECT_GE(call.pattern, 1);
        EXPECT_LE(call.pattern, PATTERN_KINDS);
        // The patrols that ignore the offset are always given 0; the boss only ends a level.
        if (call.pattern <= 3) {
          EXPECT_EQ(call.yOffset, 0.0f);
        }
        if (w != WAVES_PER_THEME - 1) {
          EXPECT_NE(call.pattern, 3);
        }
      }
    }
    const waveRow& last = THEMES[theme].waves[WAVES_PER_THEME - 1];
    ASSERT_EQ(callCount(last), 1);
    EXPECT_EQ(last.calls[0].pattern, 3);
    EXPECT_EQ(last.calls[0].difficulty, bossDifficulty[theme]);
  }
}

TEST(LevelContent, WavesHoldTheirPatternsInCallOrder) {
  EXPECT_EQ(cell(RUIN, 1), "4(0), 4(100), 4(150), 1(0)*, 2(0)*");
  EXPECT_EQ(cell(MOUNTAIN, 12), "6(0), 5(0), 6(150), 4(0), 4(100), 4(150), 1(0)*, 2(0)*");
  EXPECT_EQ(cell(CITY, 20), "6(0), 6(200), 4(150), 6(20), 6(220), 4(200)");
  EXPECT_EQ(cell(FOREST, 1), "6(0)");
  EXPECT_EQ(cell(FOREST, 15), "4(0), 4(100), 4(150), 1(0)*, 2(0)*");
  EXPECT_EQ(cell(RUIN, 21), "6(0), 6(20), 6(40), 6(60)");
  EXPECT_EQ(cell(CITY, 10), "4(100), 5(0), 6(150), 4(120), 5(30), 6(140)");
  EXPECT_EQ(cell(CITY, 11), "1(0)*, 2(0)*, 5(0)*, 6(0)*");
  EXPECT_EQ(cell(MOUNTAIN, 3), "4(0), 4(40), 4(80), 4(120), 4(160)");
  EXPECT_EQ(cell(MOUNTAIN, 19), "1(0)*, 2(0)*");
  EXPECT_EQ(cell(CITY, 22), "3(0)**");
  EXPECT_EQ(cell(FOREST, 22), "3(0)*");
}

TEST(LevelContent, EnemySheetsPairEachKindWithItsWhiteTwin) {
  EXPECT_EQ(slotsOf(ENEMY_SHEETS, ENEMY_SHEET_COUNT),
            (std::vector<int>{3, 4, 51, 52, 53, 54, 55, 56, 43, 44}));
  for (int i = 0; i < ENEMY_SHEET_COUNT; i += 2) {
    const sheetRow& body = ENEMY_SHEETS[i];
    const sheetRow& white = ENEMY_SHEETS[i + 1];
    SCOPED_TRACE(body.file);
    EXPECT_EQ(white.slot, body.slot + 1) << "an object flashes by drawing its type plus one";
    EXPECT_EQ(white.tId, body.tId + 1);
    EXPECT_EQ(white.width, body.width);
    EXPECT_EQ(white.height, body.height);
    EXPECT_GT(body.frames, 0);
    EXPECT_EQ(white.frames, 0);
    EXPECT_EQ(body.kind, BMP);
    EXPECT_EQ(white.kind, BMP);
    EXPECT_EQ(body.offsets, 0.0f);
  }
  const sheetRow* fish = rowForSlot(ENEMY_SHEETS, ENEMY_SHEET_COUNT, DEFAULT_ENEMY_2);
  ASSERT_NE(fish, nullptr);
  EXPECT_EQ(fish->tId, DEFAULT_ENEMY);
  EXPECT_STREQ(fish->file, "sprites/bloodfishsheet.bmp");
  EXPECT_EQ(fish->frames, 9);
  const sheetRow* dragon = rowForSlot(ENEMY_SHEETS, ENEMY_SHEET_COUNT, LARGE_ENEMY);
  ASSERT_NE(dragon, nullptr);
  EXPECT_EQ(dragon->width, 90);
  EXPECT_EQ(dragon->height, 40);
  EXPECT_EQ(dragon->frames, 30);
}

TEST(LevelContent, CommonSheetsKeepTheirLoadingOrderAndHitBoxes) {
  EXPECT_EQ(slotsOf(COMMON_SHEETS, COMMON_SHEET_COUNT),
            (std::vector<int>{1, 5, 6, 2, 7, 27, 29, 30, 45, 47, 46, 48, 61, 62, 63, 64, 65}));
  for (int i = 0; i < COMMON_SHEET_COUNT; i++) {
    EXPECT_EQ(COMMON_SHEETS[i].tId, COMMON_SHEETS[i].slot) << COMMON_SHEETS[i].file;
  }
  const sheetRow* explosion = rowForSlot(COMMON_SHEETS, COMMON_SHEET_COUNT, DEFAULT_EXPLOSION_0);
  ASSERT_NE(explosion, nullptr);
  EXPECT_STREQ(explosion->file, "sprites/exp1.png");
  EXPECT_EQ(explosion->kind, PNG);
  EXPECT_EQ(explosion->frames, 20);
  EXPECT_EQ(explosion->offsets, 40.0f);
  for (int slot : {DEFAULT_AVATAR_BULLET, DEFAULT_ENEMY_BULLET}) {
    const sheetRow* shot = rowForSlot(COMMON_SHEETS, COMMON_SHEET_COUNT, slot);
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->kind, PNG);
    EXPECT_EQ(shot->offsets, 20.0f);
    EXPECT_EQ(shot->frames, 0);
  }
  const sheetRow* arms = rowForSlot(COMMON_SHEETS, COMMON_SHEET_COUNT, BOSS_2);
  ASSERT_NE(arms, nullptr);
  EXPECT_EQ(arms->frames, 32);
  const sheetRow* bomb = rowForSlot(COMMON_SHEETS, COMMON_SHEET_COUNT, DEFAULT_SMART_BOMB);
  ASSERT_NE(bomb, nullptr);
  EXPECT_EQ(bomb->width, 10);
  EXPECT_EQ(bomb->height, 215);
  const sheetRow* ship = rowForSlot(COMMON_SHEETS, COMMON_SHEET_COUNT, DEFAULT_AVATAR);
  ASSERT_NE(ship, nullptr);
  EXPECT_EQ(ship->frames, 6);
}

TEST(LevelContent, NoSlotIsLoadedTwiceAndPowerUpSlotsHoldPowerUps) {
  std::set<int> seen;
  auto claim = [&seen](int slot, const char* file) {
    EXPECT_TRUE(seen.insert(slot).second) << "slot " << slot << " loaded again by " << file;
    EXPECT_GE(slot, 0);
    EXPECT_LT(slot, SPRITE_SLOTS);
  };
  for (const sheetRow& row : ENEMY_SHEETS) claim(row.slot, row.file);
  for (const sheetRow& row : COMMON_SHEETS) claim(row.slot, row.file);
  for (int slot = EXTRA_LIFE; slot <= FIRE_POWER; slot++) {
    EXPECT_EQ(rowForSlot(ENEMY_SHEETS, ENEMY_SHEET_COUNT, slot), nullptr);
    const sheetRow* row = rowForSlot(COMMON_SHEETS, COMMON_SHEET_COUNT, slot);
    ASSERT_NE(row, nullptr) << slot;
    EXPECT_EQ(row->width, 20);
    EXPECT_EQ(row->height, 20);
  }
  for (const themeRow& theme : THEMES) {
    for (int i = 0; i < layerCount(theme); i++) {
      EXPECT_EQ(seen.count(theme.layers[i].slot), 0u) << theme.layers[i].file;
    }
  }
}

TEST(LevelContent, ThemesScrollThreeLayersAndForestAndCityAddAnOverlay) {
  const char* names[THEME_COUNT] = {"Forest", "Ruin", "City", "Mountain"};
  const int layers[THEME_COUNT] = {4, 3, 4, 3};
  for (int theme = 0; theme < THEME_COUNT; theme++) {
    const themeRow& row = THEMES[theme];
    SCOPED_TRACE(names[theme]);
    EXPECT_STREQ(row.name, names[theme]);
    ASSERT_EQ(layerCount(row), layers[theme]);
    const int slots[MAX_LAYERS] = {BACKGROUND_1, BACKGROUND_2, BACKGROUND_3, BACKGROUND_4};
    const float speeds[3] = {0.8f, 1.0f, 1.2f};
    for (int i = 0; i < 3; i++) {
      EXPECT_EQ(row.layers[i].slot, slots[i]);
      EXPECT_EQ(row.layers[i].kind, BMP);
      EXPECT_EQ(row.layers[i].width, 640);
      EXPECT_EQ(row.layers[i].height, 215);
      EXPECT_FLOAT_EQ(row.layers[i].speed, speeds[i]);
    }
    if (layers[theme] == 4) {
      EXPECT_EQ(row.layers[3].slot, BACKGROUND_4);
      EXPECT_EQ(row.layers[3].kind, PNG);
      EXPECT_EQ(row.layers[3].width, 320);
      EXPECT_EQ(row.layers[3].height, 215);
    }
  }
  EXPECT_STREQ(THEMES[FOREST].layers[3].file, "backgrounds/rays1.png");
  EXPECT_EQ(THEMES[FOREST].layers[3].speed, 0.0f);
  EXPECT_STREQ(THEMES[CITY].layers[3].file, "backgrounds/fog1.png");
  EXPECT_EQ(THEMES[CITY].layers[3].speed, 2.0f);
  EXPECT_STREQ(THEMES[MOUNTAIN].layers[0].file, "backgrounds/mountains1.bmp");
  EXPECT_STREQ(THEMES[RUIN].layers[2].file, "backgrounds/ruin3.bmp");
}

TEST(LevelContent, OnlyLevelsOneToFourHaveAThemeAndOneToTenATable) {
  for (int n = 1; n <= 4; n++) EXPECT_EQ(themeOfLevel(n), &THEMES[n - 1]) << n;
  for (int n : {-1, 0, 5, 7, 10, 11, 100}) EXPECT_EQ(themeOfLevel(n), nullptr) << n;

  char name[32] = "untouched";
  ASSERT_TRUE(highScoreFileName(2, name, sizeof name));
  EXPECT_STREQ(name, "records/highscores2.txt");
  ASSERT_TRUE(highScoreFileName(10, name, sizeof name));
  EXPECT_STREQ(name, "records/highscores10.txt");
  ASSERT_TRUE(highScoreFileName(1, name, sizeof name));
  EXPECT_STREQ(name, "records/highscores1.txt");
  for (int n : {-3, 0, 11, 99}) {
    std::snprintf(name, sizeof name, "untouched");
    EXPECT_FALSE(highScoreFileName(n, name, sizeof name)) << n;
    EXPECT_STREQ(name, "untouched");
  }
}

namespace {
// The enemies one wave puts into a fresh list, counted by kind; the large enemies' heights
// and each kind's health are collected on the way.
struct release {
  std::map<int, int> kinds;
  std::vector<float> largeEnemyYs;
  std::map<int, int> healthOfKind;
};

release releaseWave(const waveRow& row) {
  enemyList list;
  wave built;
  fillWave(&built, row);
  built.execute(&list);
  release result;
  for (enemy* e = list.first; e != nullptr; e = e->next) {
    result.kinds[e->typeId]++;
    result.healthOfKind[e->typeId] = e->health;
    if (e->typeId == LARGE_ENEMY) result.largeEnemyYs.push_back(e->y);
  }
  return result;
}

// What each pattern puts on the field: patrols of four (patterns 1 and 2), the boss's
// three parts, one heavy, and the swoop and line trios.
std::map<int, int> expectedKinds(const waveRow& row) {
  std::map<int, int> kinds;
  for (int i = 0; i < callCount(row); i++) {
    switch (row.calls[i].pattern) {
      case 1: kinds[DEFAULT_ENEMY] += 4; break;
      case 2: kinds[DEFAULT_ENEMY_2] += 4; break;
      case 3:
        kinds[BOSS_2] += 2;
        kinds[BOSS_1] += 1;
        break;
      case 4: kinds[LARGE_ENEMY] += 1; break;
      case 5: kinds[DEFAULT_ENEMY_3] += 3; break;
      case 6: kinds[DEFAULT_ENEMY_4] += 3; break;
      default: break;
    }
  }
  return kinds;
}
}  // namespace

TEST(WaveBuilding, EachWaveReleasesTheEnemiesOfItsPatterns) {
  for (int theme = 0; theme < THEME_COUNT; theme++) {
    for (int w = 0; w < WAVES_PER_THEME; w++) {
      SCOPED_TRACE(std::string(THEMES[theme].name) + " wave " + std::to_string(w + 1));
      const waveRow& row = THEMES[theme].waves[w];
      EXPECT_EQ(releaseWave(row).kinds, expectedKinds(row));
    }
  }
}

TEST(WaveBuilding, PatternCallsCarryTheirOffsetAndDifficulty) {
  // Ruin's first wave: heavies at offsets 0, 100 and 150, then two patrols at difficulty 3.
  release ruin = releaseWave(THEMES[RUIN].waves[0]);
  EXPECT_EQ(ruin.largeEnemyYs, (std::vector<float>{25.0f, 125.0f, 175.0f}));
  EXPECT_EQ(ruin.healthOfKind[LARGE_ENEMY], 3);
  EXPECT_EQ(ruin.healthOfKind[DEFAULT_ENEMY], 6);
  EXPECT_EQ(ruin.healthOfKind[DEFAULT_ENEMY_2], 6);

  // The bosses: difficulty 3 gives parts of 800 health, difficulty 4 parts of 900.
  EXPECT_EQ(releaseWave(THEMES[FOREST].waves[WAVES_PER_THEME - 1]).healthOfKind[BOSS_1], 800);
  EXPECT_EQ(releaseWave(THEMES[MOUNTAIN].waves[WAVES_PER_THEME - 1]).healthOfKind[BOSS_2], 900);

  // City's tenth wave puts its heavies at 100 and 120.
  EXPECT_EQ(releaseWave(THEMES[CITY].waves[9]).largeEnemyYs,
            (std::vector<float>{125.0f, 145.0f}));
}

TEST(WaveBuilding, AnEmptyRowAddsNothing) {
  waveRow none = {};
  EXPECT_TRUE(releaseWave(none).kinds.empty());
}

// ---- Filling a level ----

using LevelFill = LevelFixture;

TEST_F(LevelFill, SheetsLandInTheirSlotsWithFramesAndHitBoxes) {
  loadSheets(*lv, ENEMY_SHEETS, ENEMY_SHEET_COUNT);
  loadSheets(*lv, COMMON_SHEETS, COMMON_SHEET_COUNT);
  int filled = 0;
  for (int slot = 0; slot < SPRITE_SLOTS; slot++) filled += lv->levelSprites[slot] != nullptr;
  EXPECT_EQ(filled, ENEMY_SHEET_COUNT + COMMON_SHEET_COUNT);

  spriteType* fish = lv->levelSprites[DEFAULT_ENEMY_2];
  ASSERT_NE(fish, nullptr);
  EXPECT_EQ(fish->typeId, DEFAULT_ENEMY);
  EXPECT_EQ(fish->maxFrame, 9);
  EXPECT_EQ(fish->imageTypeId, BMP);
  EXPECT_EQ(fish->transRed, 254);
  EXPECT_EQ(fish->transGreen, 102);
  EXPECT_EQ(fish->transBlue, 254);
  EXPECT_EQ(fish->width, 45);
  EXPECT_EQ(fish->height, 20);

  spriteType* explosion = lv->levelSprites[DEFAULT_EXPLOSION_0];
  ASSERT_NE(explosion, nullptr);
  EXPECT_EQ(explosion->maxFrame, 20);
  EXPECT_EQ(explosion->leftOffset, 40.0f);
  EXPECT_EQ(explosion->bottomOffset, 40.0f);
  EXPECT_EQ(explosion->tempW, 100) << "a 20-pixel frame with 40 pixels on each side";
  EXPECT_EQ(explosion->imageTypeId, PNG);

  spriteType* shot = lv->levelSprites[DEFAULT_ENEMY_BULLET];
  ASSERT_NE(shot, nullptr);
  EXPECT_EQ(shot->topOffset, 20.0f);
  EXPECT_EQ(shot->maxFrame, 0);
  ASSERT_NE(lv->levelSprites[DEFAULT_AVATAR_WHITE], nullptr);
  EXPECT_EQ(lv->levelSprites[DEFAULT_AVATAR_WHITE]->leftOffset, 0.0f);
  ASSERT_NE(lv->levelSprites[BOSS_1], nullptr);
  EXPECT_EQ(lv->levelSprites[BOSS_1]->height, 215);
  EXPECT_EQ(lv->levelSprites[FIRE_POWER]->maxFrame, 17);
}

TEST_F(LevelFill, ForestLayersScrollFromTheTopOfThePlayField) {
  addThemeLayers(*lv, THEMES[FOREST]);
  const int slots[MAX_LAYERS] = {BACKGROUND_1, BACKGROUND_2, BACKGROUND_3, BACKGROUND_4};
  const float speeds[MAX_LAYERS] = {0.8f, 1.0f, 1.2f, 0.0f};
  for (int i = 0; i < MAX_LAYERS; i++) {
    SCOPED_TRACE(i);
    ASSERT_NE(lv->levelSprites[slots[i]], nullptr);
    EXPECT_EQ(lv->levelSprites[slots[i]]->width, i == 3 ? 320 : 640);
    background* layer = lv->backgrounds[i];
    ASSERT_NE(layer, nullptr);
    EXPECT_TRUE(lv->bGActive[i]);
    EXPECT_EQ(layer->typeId, slots[i]);
    EXPECT_EQ(layer->direction, 1.57075f);
    EXPECT_EQ(layer->speed, speeds[i]);
    EXPECT_EQ(layer->x, 0.0f);
    EXPECT_EQ(layer->y, 25.0f);
    EXPECT_EQ(layer->health, 1);
    EXPECT_EQ(layer->alignment, 1);
    EXPECT_EQ(layer->width, i == 3 ? 320 : 640);
    EXPECT_EQ(layer->height, 215);
  }
  EXPECT_EQ(lv->levelSprites[BACKGROUND_4]->imageTypeId, PNG);
  EXPECT_EQ(lv->backgrounds[4], nullptr);
}

TEST_F(LevelFill, RuinAndMountainLeaveTheOverlaySlotEmpty) {
  for (int theme : {RUIN, MOUNTAIN}) {
    SCOPED_TRACE(THEMES[theme].name);
    level* fresh = makeLevel();
    addThemeLayers(*fresh, THEMES[theme]);
    ASSERT_NE(fresh->backgrounds[2], nullptr);
    EXPECT_EQ(fresh->backgrounds[2]->typeId, BACKGROUND_3);
    EXPECT_EQ(fresh->backgrounds[2]->speed, 1.2f);
    EXPECT_EQ(fresh->backgrounds[3], nullptr);
    EXPECT_FALSE(fresh->bGActive[3]);
    EXPECT_EQ(fresh->levelSprites[BACKGROUND_4], nullptr);
    EXPECT_NE(fresh->levelSprites[BACKGROUND_3], nullptr);
    delete fresh;
  }
}

TEST_F(LevelFill, AThemedLevelReleasesTwentyTwoWavesThenNoMore) {
  for (int theme = 0; theme < THEME_COUNT; theme++) {
    SCOPED_TRACE(THEMES[theme].name);
    level* fresh = makeLevel();
    addThemeWaves(*fresh, THEMES[theme]);
    int released = 0;
    while (released <= WAVES_PER_THEME && fresh->wList->nextWave()) released++;
    EXPECT_EQ(released, WAVES_PER_THEME);
    delete fresh;
  }
}

// ---- Whole levels ----

namespace {
// Each read of the virtual clock moves it ten ticks on, the longest step a frame takes,
// so that fades and the run-out of a level pass in few frames.
constexpr Uint32 MS_PER_READ = 160;
constexpr int READS_BETWEEN_PRESSES = 8;

// A game in a scratch directory whose records/ starts empty, on the virtual clock.
class PlayLevel : public ::testing::Test {
 protected:
  std::string dir;
  game* theGame = nullptr;

  void SetUp() override {
    dir = enterScratchGameDir();
    openHeadlessDisplay();
    virtualClock::install(MS_PER_READ);
    theGame = new game();
  }
  void TearDown() override {
    delete theGame;
    closeHeadlessDisplay();
    leaveScratchGameDir(dir);
  }
  // True on every few reads of the clock: time for the next scripted press.
  static bool timeToPress(Uint32 now) { return (now / MS_PER_READ) % READS_BETWEEN_PRESSES == 0; }
  // Keeps pressing Space, which leaves every table and outcome screen; when quitting,
  // Escape too, which leaves a level in play.
  static void keepPressing(bool quitting) {
    virtualClock::onEveryRead([quitting](Uint32 now) {
      if (!timeToPress(now)) return;
      pushKeyPress(SDLK_SPACE);
      if (quitting) pushKeyPress(SDLK_ESCAPE);
    });
  }
  static std::set<std::string> recordFiles() {
    std::set<std::string> names;
    DIR* records = opendir("records");
    if (records == nullptr) return names;
    while (dirent* entry = readdir(records)) {
      if (entry->d_name[0] != '.') names.insert(entry->d_name);
    }
    closedir(records);
    return names;
  }
  void setProfileName(const std::string& name) {
    std::string padded = name + std::string(30 - name.size(), ' ');
    memcpy(theGame->profileName, padded.c_str(), 31);
  }
};

// A 490-byte table: ten records of a nine-digit score, a 30-byte name and ten flags.
std::string tableFile(int bestScore, const std::string& namePrefix) {
  std::string bytes;
  for (int i = 0; i < 10; i++) {
    char score[10];
    snprintf(score, sizeof score, "%09d", bestScore - 100 * i);
    std::string name = namePrefix + std::to_string(i);
    name.resize(30, ' ');
    bytes += score + name + "0101000000";
  }
  return bytes;
}

int bestScoreIn(const std::string& table) { return std::stoi(table.substr(0, 9)); }

// True when the display shows exactly the picture composed on `expected`.
bool displayShows(SDL_Surface* expected) {
  SDL_Surface* shown = globalScreen;
  if (shown == nullptr || shown->format->BytesPerPixel != expected->format->BytesPerPixel) {
    return false;
  }
  SDL_LockSurface(shown);
  SDL_LockSurface(expected);
  bool same = true;
  size_t rowBytes = static_cast<size_t>(shown->w) * shown->format->BytesPerPixel;
  for (int y = 0; same && y < shown->h; y++) {
    const Uint8* a = static_cast<const Uint8*>(shown->pixels) + y * shown->pitch;
    const Uint8* b = static_cast<const Uint8*>(expected->pixels) + y * expected->pitch;
    same = memcmp(a, b, rowBytes) == 0;
  }
  SDL_UnlockSurface(expected);
  SDL_UnlockSurface(shown);
  return same;
}
}  // namespace

TEST_F(PlayLevel, LevelTwoReadsAndWritesOnlyItsOwnTable) {
  const std::string own = tableFile(90000, "Ruin ace ");
  const std::string other = tableFile(50000, "Forest ace ");
  writeWholeFile("records/highscores2.txt", own);
  writeWholeFile("records/highscores1.txt", other);
  writeWholeFile("records/highscores3.txt", other);
  keepPressing(true);

  EXPECT_EQ(theGame->playLevel(2), PLAYER_QUIT);

  // Quitting at once scores too little to enter, so the table goes back as it was read.
  EXPECT_EQ(readWholeFile("records/highscores2.txt"), own);
  EXPECT_EQ(readWholeFile("records/highscores1.txt"), other);
  EXPECT_EQ(readWholeFile("records/highscores3.txt"), other);
  EXPECT_EQ(recordFiles(),
            (std::set<std::string>{"highscores1.txt", "highscores2.txt", "highscores3.txt"}));
}

TEST_F(PlayLevel, LevelSevenIsCompleteAtOnceAndEntersItsScore) {
  theGame->healthSettings[7] = 1;  // grade A: a bonus of 10000
  setProfileName("Seventh Pilot");
  keepPressing(false);

  EXPECT_EQ(theGame->playLevel(7), LEVEL_COMPLETE);

  EXPECT_EQ(recordFiles(), std::set<std::string>{"highscores7.txt"});
  std::string table = readWholeFile("records/highscores7.txt");
  ASSERT_EQ(table.size(), 490u);
  EXPECT_EQ(bestScoreIn(table), 10000);
  EXPECT_EQ(table.substr(9, 30), "Seventh Pilot" + std::string(17, ' '))
      << "the profile name reaches the level whole";
  EXPECT_EQ(table.substr(49, 9), "000000000");
}

TEST_F(PlayLevel, StartingHealthIsTheProfileSettingWhenPlayBegins) {
  theGame->healthSettings[7] = 5;  // would earn no bonus
  theGame->healthSettings[8] = 1;  // a neighbour's setting must not be used
  game* g = theGame;
  bool changed = false;
  virtualClock::onEveryRead([g, &changed](Uint32 now) {
    // The first read comes from the table screen shown before play.
    if (!changed) g->healthSettings[7] = 2;  // grade B: 7500
    changed = true;
    if (timeToPress(now)) pushKeyPress(SDLK_SPACE);
  });

  EXPECT_EQ(theGame->playLevel(7), LEVEL_COMPLETE);
  EXPECT_EQ(bestScoreIn(readWholeFile("records/highscores7.txt")), 7500);
}

TEST_F(PlayLevel, LevelsWithoutANumberedTableTouchNoRecords) {
  const std::string kept = tableFile(40000, "Keeper ");
  writeWholeFile("records/highscores1.txt", kept);
  writeWholeFile("records/highscores10.txt", kept);
  for (int levelNumber : {0, 11}) {
    SCOPED_TRACE(levelNumber);
    theGame->healthSettings[levelNumber] = 1;
    keepPressing(false);
    EXPECT_EQ(theGame->playLevel(levelNumber), LEVEL_COMPLETE);
    EXPECT_EQ(recordFiles(), (std::set<std::string>{"highscores1.txt", "highscores10.txt"}));
    EXPECT_EQ(readWholeFile("records/highscores1.txt"), kept);
    EXPECT_EQ(readWholeFile("records/highscores10.txt"), kept);
  }
}

TEST_F(PlayLevel, ALevelNumberBeyondTheProfileStillPlaysSafely) {
  keepPressing(false);
  EXPECT_EQ(theGame->playLevel(150), LEVEL_COMPLETE);
  EXPECT_EQ(theGame->playLevel(-2), LEVEL_COMPLETE);
  EXPECT_TRUE(recordFiles().empty());
}

TEST_F(PlayLevel, AThemedLevelShowsBothStatusScreensAndCanBeQuit) {
  SDL_Surface* starting = makeScreenSurface();
  SDL_Surface* loading = makeScreenSurface();
  SDL_FillRect(starting, nullptr, 0);
  SDL_FillRect(loading, nullptr, 0);
  theGame->drawText(starting, "Level initialisation started...", 0, 0, 255, 255, 255);
  theGame->drawText(loading, "Loading...", 0, 0, 255, 255, 255);
  // The screen may come in faded out from the screen before.
  SDL_SetAlpha(theGame->screen, SDL_SRCALPHA, 0);

  std::vector<std::string> seen;
  virtualClock::onEveryRead([&seen, starting, loading](Uint32 now) {
    const char* showing = displayShows(starting) ? "starting"
                          : displayShows(loading) ? "loading"
                                                  : nullptr;
    if (showing != nullptr && (seen.empty() || seen.back() != showing)) seen.push_back(showing);
    if (!timeToPress(now)) return;
    pushKeyPress(SDLK_SPACE);
    pushKeyPress(SDLK_ESCAPE);
  });

  EXPECT_EQ(theGame->playLevel(3), PLAYER_QUIT);
  EXPECT_EQ(seen, (std::vector<std::string>{"starting", "loading"}));
  EXPECT_EQ(recordFiles(), std::set<std::string>{"highscores3.txt"});
  SDL_FreeSurface(starting);
  SDL_FreeSurface(loading);
}
