// The level content tables, filling a level from them, and playing whole levels.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/enemy.h"
#include "engine/enemy_list.h"
#include "engine/sprite.h"
#include "engine/sprite_type.h"
#include "engine/wave.h"
#include "platform/constants.h"
#include "frontend/game.h"
#include "platform/globals.h"
#include "content/level_content.h"
#include "frontend/level_setup.h"
#include "tests/support/level_fixture.h"

using namespace levelContent;

namespace {
enum themeIndex { FOREST, RUIN, CITY, MOUNTAIN };

// A wave's calls as a level designer writes them: "4(100)", "1(0)*" (difficulty 3),
// "3(0)**" (difficulty 4).
std::string cell(int theme, int waveNumber) {
  const waveRow& row = THEMES[theme].waves[waveNumber - 1];
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

std::vector<int> slotsOf(const sheetRow* rows, int count) {
  std::vector<int> slots;
  for (int i = 0; i < count; i++) slots.push_back(rows[i].slot);
  return slots;
}
}  // namespace

TEST(LevelContent, EveryThemeHasTwentyTwoWavesEndingWithItsBoss) {
  const int bossDifficulty[THEME_COUNT] = {3, 3, 4, 4};
  for (int theme = 0; theme < THEME_COUNT; theme++) {
    SCOPED_TRACE(THEMES[theme].name);
    for (int w = 0; w < WAVES_PER_THEME; w++) {
      const waveRow& row = THEMES[theme].waves[w];
      EXPECT_GE(callCount(row), 1) << "wave " << w + 1 << " would end the level early";
      for (int i = 0; i < callCount(row); i++) {
        EXPECT_GE(row.calls[i].pattern, 1);
        EXPECT_LE(row.calls[i].pattern, PATTERN_KINDS);
        EXPECT_TRUE(row.calls[i].pattern != 3 || w == WAVES_PER_THEME - 1) << "boss early";
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
  EXPECT_EQ(cell(CITY, 10), "4(100), 5(0), 6(150), 4(120), 5(30), 6(140)");
  EXPECT_EQ(cell(CITY, 11), "1(0)*, 2(0)*, 5(0)*, 6(0)*");
  EXPECT_EQ(cell(FOREST, 17), "6(150), 6(200)");
  EXPECT_EQ(cell(RUIN, 21), "6(0), 6(20), 6(40), 6(60)");
}

TEST(LevelContent, SheetTablesKeepTheirOrderAndLeaveNoSlotTwice) {
  EXPECT_EQ(slotsOf(ENEMY_SHEETS, ENEMY_SHEET_COUNT),
            (std::vector<int>{3, 4, 51, 52, 53, 54, 55, 56, 43, 44}));
  // The explosion (slot 7) comes after the ship's white twin and before the smart bomb.
  EXPECT_EQ(slotsOf(COMMON_SHEETS, COMMON_SHEET_COUNT),
            (std::vector<int>{1, 5, 6, 2, 7, 27, 29, 30, 45, 47, 46, 48, 61, 62, 63, 64, 65}));
  std::set<int> seen;
  for (const sheetRow& row : ENEMY_SHEETS) EXPECT_TRUE(seen.insert(row.slot).second);
  for (const sheetRow& row : COMMON_SHEETS) EXPECT_TRUE(seen.insert(row.slot).second);
  for (const themeRow& theme : THEMES) {
    for (int i = 0; i < layerCount(theme); i++) EXPECT_EQ(seen.count(theme.layers[i].slot), 0u);
  }
  // Enemy sheets of the second to fourth kind carry the first kind's own ids.
  EXPECT_EQ(ENEMY_SHEETS[2].tId, DEFAULT_ENEMY);
  EXPECT_EQ(ENEMY_SHEETS[3].tId, DEFAULT_ENEMY_WHITE);
}

TEST(LevelContent, OnlyForestAndCityHaveAnOverlayLayer) {
  EXPECT_EQ(layerCount(THEMES[FOREST]), 4);
  EXPECT_EQ(layerCount(THEMES[RUIN]), 3);
  EXPECT_EQ(layerCount(THEMES[CITY]), 4);
  EXPECT_EQ(layerCount(THEMES[MOUNTAIN]), 3);
  EXPECT_STREQ(THEMES[CITY].layers[3].file, "backgrounds/fog1.png");
  EXPECT_EQ(THEMES[CITY].layers[3].speed, 2.0f);
  EXPECT_EQ(THEMES[CITY].layers[3].slot, BACKGROUND_4);
}

TEST(LevelContent, OnlyLevelsOneToFourHaveAThemeAndOneToTenATable) {
  for (int n = 1; n <= 4; n++) EXPECT_EQ(themeOfLevel(n), &THEMES[n - 1]) << n;
  for (int n : {-1, 0, 5, 10, 11}) EXPECT_EQ(themeOfLevel(n), nullptr) << n;
  char name[32];
  ASSERT_TRUE(highScoreFileName(10, name, sizeof name));
  EXPECT_STREQ(name, "records/highscores10.txt");
  for (int n : {0, 11}) EXPECT_FALSE(highScoreFileName(n, name, sizeof name)) << n;
}

// ---- Building waves ----

namespace {
struct release {
  std::map<int, int> kinds;  // enemies by sheet slot
  std::map<int, int> healthOfKind;
  std::vector<float> largeEnemyYs;
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

// Patrols of four (patterns 1 and 2), the boss's three parts, one heavy, two trios.
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
      EXPECT_EQ(releaseWave(THEMES[theme].waves[w]).kinds,
                expectedKinds(THEMES[theme].waves[w]));
    }
  }
}

TEST(WaveBuilding, PatternCallsCarryTheirOffsetAndDifficulty) {
  release ruin = releaseWave(THEMES[RUIN].waves[0]);
  EXPECT_EQ(ruin.largeEnemyYs, (std::vector<float>{25.0f, 125.0f, 175.0f}));
  EXPECT_EQ(ruin.healthOfKind[LARGE_ENEMY], 3);
  EXPECT_EQ(ruin.healthOfKind[DEFAULT_ENEMY], 6);  // difficulty 3
  EXPECT_EQ(releaseWave(THEMES[FOREST].waves[21]).healthOfKind[BOSS_1], 800);
  EXPECT_EQ(releaseWave(THEMES[MOUNTAIN].waves[21]).healthOfKind[BOSS_2], 900);
}

// ---- Filling a level ----

using LevelFill = LevelFixture;

TEST_F(LevelFill, SheetsLandInTheirSlotsWithFramesAndHitBoxes) {
  loadSheets(*lv, ENEMY_SHEETS, ENEMY_SHEET_COUNT);
  loadSheets(*lv, COMMON_SHEETS, COMMON_SHEET_COUNT);
  int filled = 0;
  for (spriteType* sheet : lv->levelSprites) filled += sheet != nullptr;
  EXPECT_EQ(filled, 27);

  spriteType* fish = lv->levelSprites[DEFAULT_ENEMY_2];
  ASSERT_NE(fish, nullptr);
  EXPECT_EQ(fish->typeId, DEFAULT_ENEMY);
  EXPECT_EQ(fish->maxFrame, 9);
  EXPECT_EQ(fish->transGreen, 102);
  EXPECT_EQ(fish->width, 45);

  spriteType* explosion = lv->levelSprites[DEFAULT_EXPLOSION_0];
  ASSERT_NE(explosion, nullptr);
  EXPECT_EQ(explosion->maxFrame, 20);
  EXPECT_EQ(explosion->tempW, 100) << "a 20-pixel frame with 40 pixels on each side";
  EXPECT_EQ(explosion->imageTypeId, PNG);
  EXPECT_EQ(lv->levelSprites[DEFAULT_ENEMY_BULLET]->topOffset, 20.0f);
  EXPECT_EQ(lv->levelSprites[DEFAULT_ENEMY_BULLET]->maxFrame, 0);
  EXPECT_EQ(lv->levelSprites[DEFAULT_AVATAR_WHITE]->leftOffset, 0.0f);
  EXPECT_EQ(lv->levelSprites[FIRE_POWER]->maxFrame, 17);
}

TEST_F(LevelFill, ThemeLayersScrollFromTheTopOfThePlayField) {
  addThemeLayers(*lv, THEMES[FOREST]);
  const int slots[MAX_LAYERS] = {BACKGROUND_1, BACKGROUND_2, BACKGROUND_3, BACKGROUND_4};
  const float speeds[MAX_LAYERS] = {0.8f, 1.0f, 1.2f, 0.0f};
  for (int i = 0; i < MAX_LAYERS; i++) {
    SCOPED_TRACE(i);
    ASSERT_NE(lv->levelSprites[slots[i]], nullptr);
    background* layer = lv->backgrounds[i];
    ASSERT_NE(layer, nullptr);
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

  level* ruin = makeLevel();
  addThemeLayers(*ruin, THEMES[RUIN]);
  EXPECT_NE(ruin->backgrounds[2], nullptr);
  EXPECT_EQ(ruin->backgrounds[3], nullptr);
  EXPECT_EQ(ruin->levelSprites[BACKGROUND_4], nullptr);
  delete ruin;
}

TEST_F(LevelFill, AThemedLevelReleasesTwentyTwoWavesThenNoMore) {
  for (int theme = 0; theme < THEME_COUNT; theme++) {
    level* fresh = makeLevel();
    addThemeWaves(*fresh, THEMES[theme]);
    int released = 0;
    while (released <= WAVES_PER_THEME && fresh->wList->nextWave()) released++;
    EXPECT_EQ(released, WAVES_PER_THEME) << THEMES[theme].name;
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
    std::vector<std::string> names = directoryEntries("records");
    return std::set<std::string>(names.begin(), names.end());
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
  if (shown->format->BytesPerPixel != expected->format->BytesPerPixel) return false;
  size_t rowBytes = static_cast<size_t>(shown->w) * shown->format->BytesPerPixel;
  bool same = true;
  for (int y = 0; same && y < shown->h; y++) {
    same = memcmp(static_cast<Uint8*>(shown->pixels) + y * shown->pitch,
                  static_cast<Uint8*>(expected->pixels) + y * expected->pitch, rowBytes) == 0;
  }
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
  memcpy(theGame->profileName, "Seventh Pilot                 ", 31);
  keepPressing(false);

  EXPECT_EQ(theGame->playLevel(7), LEVEL_COMPLETE);

  EXPECT_EQ(recordFiles(), std::set<std::string>{"highscores7.txt"});
  std::string table = readWholeFile("records/highscores7.txt");
  ASSERT_EQ(table.size(), 490u);
  EXPECT_EQ(bestScoreIn(table), 10000);
  EXPECT_EQ(table.substr(9, 30), "Seventh Pilot                 ");
}

TEST_F(PlayLevel, StartingHealthIsTheProfileSettingWhenPlayBegins) {
  theGame->healthSettings[7] = 5;  // would earn no bonus
  theGame->healthSettings[8] = 1;  // a neighbour's setting must not be used
  game* g = theGame;
  virtualClock::onEveryRead([g](Uint32 now) {
    g->healthSettings[7] = 2;  // grade B: 7500; the table screen reads the clock before play
    if (timeToPress(now)) pushKeyPress(SDLK_SPACE);
  });

  EXPECT_EQ(theGame->playLevel(7), LEVEL_COMPLETE);
  EXPECT_EQ(bestScoreIn(readWholeFile("records/highscores7.txt")), 7500);
}

TEST_F(PlayLevel, LevelsWithoutANumberedTableTouchNoRecords) {
  const std::string kept = tableFile(40000, "Keeper ");
  writeWholeFile("records/highscores1.txt", kept);
  writeWholeFile("records/highscores10.txt", kept);
  keepPressing(false);
  // Numbers beyond the profile's settings must not read past them either.
  for (int levelNumber : {0, 11, 150, -2}) {
    EXPECT_EQ(theGame->playLevel(levelNumber), LEVEL_COMPLETE) << levelNumber;
  }
  EXPECT_EQ(recordFiles(), (std::set<std::string>{"highscores1.txt", "highscores10.txt"}));
  EXPECT_EQ(readWholeFile("records/highscores1.txt"), kept);
  EXPECT_EQ(readWholeFile("records/highscores10.txt"), kept);
}

TEST_F(PlayLevel, AThemedLevelShowsBothStatusScreensAndCanBeQuit) {
  SDL_Surface* starting = makeScreenSurface();
  SDL_Surface* loading = makeScreenSurface();
  SDL_FillRect(starting, nullptr, 0);
  SDL_FillRect(loading, nullptr, 0);
  theGame->drawText(starting, "Level initialisation started...", 0, 0, 255, 255, 255);
  theGame->drawText(loading, "Loading...", 0, 0, 255, 255, 255);
  SDL_SetAlpha(theGame->screen, SDL_SRCALPHA, 0);  // as a fade-out leaves it

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
