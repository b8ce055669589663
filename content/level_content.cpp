// The level content tables (sprite sheets, theme backgrounds, the waves of each theme)
// and the building of a wave from its row of pattern calls.
#include "content/level_content.h"

#include <cstdio>

#include "content/level_design.h"
#include "platform/constants.h"
#include "platform/save_folder.h"

using namespace levelContent;

namespace {
// A pattern call at the base difficulty, at difficulty 3, and at difficulty 4.
constexpr patternCall plain(int pattern, float yOffset) { return {pattern, yOffset, 0}; }
constexpr patternCall hard(int pattern, float yOffset) { return {pattern, yOffset, 3}; }
constexpr patternCall harder(int pattern, float yOffset) { return {pattern, yOffset, 4}; }

// Each line is one wave; a wave's unused call slots stay zero, which ends its calls.
const waveRow FOREST_WAVES[WAVES_PER_THEME] = {
    {{plain(6, 0)}},
    {{plain(5, 0)}},
    {{plain(5, 0)}},
    {{plain(6, 0), plain(6, 100)}},
    {{plain(4, 0), plain(4, 150)}},
    {{plain(1, 0), plain(2, 0)}},
    {{plain(6, 0), plain(5, 0), plain(6, 0)}},
    {{plain(4, 0), plain(4, 150)}},
    {{plain(6, 0), plain(5, 0), plain(6, 150)}},
    {{plain(4, 100), plain(5, 0), plain(6, 150)}},
    {{hard(1, 0), hard(2, 0)}},
    {{hard(1, 0), hard(2, 0)}},
    {{plain(6, 0), plain(6, 20), plain(6, 40), plain(6, 60)}},
    {{plain(6, 0), plain(5, 0), plain(6, 150)}},
    {{plain(4, 0), plain(4, 100), plain(4, 150), hard(1, 0), hard(2, 0)}},
    {{plain(6, 0), plain(6, 150)}},
    {{plain(6, 150), plain(6, 200)}},
    {{plain(5, 0)}},
    {{plain(5, 0)}},
    {{plain(6, 0), plain(6, 200), plain(4, 150)}},
    {{hard(1, 0), hard(2, 0)}},
    {{hard(3, 0)}},
};

const waveRow RUIN_WAVES[WAVES_PER_THEME] = {
    {{plain(4, 0), plain(4, 100), plain(4, 150), hard(1, 0), hard(2, 0)}},
    {{plain(4, 0), plain(4, 150)}},
    {{plain(1, 0), plain(2, 0)}},
    {{plain(6, 0)}},
    {{plain(4, 100), plain(5, 0), plain(6, 150)}},
    {{plain(5, 0)}},
    {{plain(4, 0), plain(4, 150)}},
    {{plain(6, 0), plain(5, 0), plain(6, 150)}},
    {{plain(5, 0)}},
    {{plain(6, 0), plain(6, 100)}},
    {{plain(5, 0)}},
    {{plain(6, 0), plain(6, 200), plain(4, 150)}},
    {{hard(1, 0), hard(2, 0)}},
    {{hard(1, 0), hard(2, 0)}},
    {{plain(6, 0), plain(5, 0), plain(6, 150)}},
    {{plain(6, 0), plain(6, 150)}},
    {{plain(6, 150), plain(6, 200)}},
    {{plain(5, 0)}},
    {{plain(6, 0), plain(5, 0), plain(6, 0)}},
    {{hard(1, 0), hard(2, 0)}},
    {{plain(6, 0), plain(6, 20), plain(6, 40), plain(6, 60)}},
    {{hard(3, 0)}},
};

const waveRow CITY_WAVES[WAVES_PER_THEME] = {
    {{plain(6, 0), plain(6, 200)}},
    {{plain(5, 0)}},
    {{plain(6, 0), plain(6, 20), plain(6, 40), plain(6, 60), plain(6, 80), plain(6, 100)}},
    {{plain(4, 0), plain(4, 40), plain(4, 80)}},
    {{plain(4, 0), plain(4, 40), plain(4, 80)}},
    {{plain(1, 0), plain(2, 0), plain(6, 0), plain(5, 0), plain(6, 0)}},
    {{plain(1, 0), plain(2, 0), plain(6, 0), plain(5, 0), plain(6, 0)}},
    {{plain(4, 0), plain(4, 150)}},
    {{plain(6, 0), plain(5, 0), plain(6, 150), plain(6, 200)}},
    {{plain(4, 100), plain(5, 0), plain(6, 150), plain(4, 120), plain(5, 30), plain(6, 140)}},
    {{hard(1, 0), hard(2, 0), hard(5, 0), hard(6, 0)}},
    {{hard(1, 0), hard(2, 0), hard(5, 0), hard(6, 0)}},
    {{plain(6, 0), plain(6, 20), plain(6, 40), plain(6, 60)}},
    {{plain(6, 0), plain(5, 0), plain(6, 150), plain(4, 0), plain(4, 100), plain(4, 150),
      hard(1, 0), hard(2, 0)}},
    {{plain(6, 0), plain(5, 0), plain(6, 150), plain(4, 0), plain(4, 100), plain(4, 150),
      hard(1, 0), hard(2, 0)}},
    {{plain(6, 0), plain(6, 150), plain(5, 0)}},
    {{plain(4, 0), plain(4, 40), plain(4, 80), plain(4, 120), plain(4, 160)}},
    {{plain(5, 0)}},
    {{plain(5, 0)}},
    {{plain(6, 0), plain(6, 200), plain(4, 150), plain(6, 20), plain(6, 220), plain(4, 200)}},
    {{hard(1, 0), hard(2, 0)}},
    {{harder(3, 0)}},
};

const waveRow MOUNTAIN_WAVES[WAVES_PER_THEME] = {
    {{plain(6, 0), plain(6, 20), plain(6, 40), plain(6, 60), plain(6, 80), plain(6, 100)}},
    {{plain(4, 0), plain(4, 40), plain(4, 80)}},
    {{plain(4, 0), plain(4, 40), plain(4, 80), plain(4, 120), plain(4, 160)}},
    {{plain(4, 0), plain(4, 150)}},
    {{plain(6, 0), plain(6, 200)}},
    {{plain(5, 0)}},
    {{plain(6, 0), plain(5, 0), plain(6, 150), plain(6, 200)}},
    {{plain(4, 100), plain(5, 0), plain(6, 150), plain(4, 120), plain(5, 30), plain(6, 140)}},
    {{plain(1, 0), plain(2, 0), plain(6, 0), plain(5, 0), plain(6, 0)}},
    {{hard(1, 0), hard(2, 0), hard(5, 0), hard(6, 0)}},
    {{hard(1, 0), hard(2, 0), hard(5, 0), hard(6, 0)}},
    {{plain(6, 0), plain(5, 0), plain(6, 150), plain(4, 0), plain(4, 100), plain(4, 150),
      hard(1, 0), hard(2, 0)}},
    {{plain(1, 0), plain(2, 0), plain(6, 0), plain(5, 0), plain(6, 0)}},
    {{plain(6, 0), plain(6, 20), plain(6, 40), plain(6, 60)}},
    {{plain(4, 0), plain(4, 40), plain(4, 80)}},
    {{plain(6, 0), plain(6, 150), plain(5, 0)}},
    {{plain(5, 0)}},
    {{plain(5, 0)}},
    {{hard(1, 0), hard(2, 0)}},
    {{plain(6, 0), plain(6, 200), plain(4, 150), plain(6, 20), plain(6, 220), plain(4, 200)}},
    {{plain(6, 0), plain(5, 0), plain(6, 150), plain(4, 0), plain(4, 100), plain(4, 150),
      hard(1, 0), hard(2, 0)}},
    {{harder(3, 0)}},
};

constexpr int WIDE = 640;     // background pictures repeat every 640 pixels
constexpr int OVERLAY = 320;  // the see-through fourth layer is one screen wide
constexpr int FIELD = 215;    // every layer covers the play field's height

typedef void (*patternFunction)(wave*, float, int, int);
const patternFunction PATTERNS[PATTERN_KINDS] = {addPattern1, addPattern2, addPattern3,
                                                 addPattern4, addPattern5, addPattern6};
}  // namespace

const sheetRow ENEMY_SHEETS[] = {
    {DEFAULT_ENEMY, DEFAULT_ENEMY, "sprites/snakeanim1.bmp", BMP, 45, 20, 20, 0},
    {DEFAULT_ENEMY_WHITE, DEFAULT_ENEMY_WHITE, "sprites/saucer_white.bmp", BMP, 45, 20, 0, 0},
    {DEFAULT_ENEMY_2, DEFAULT_ENEMY, "sprites/bloodfishsheet.bmp", BMP, 45, 20, 9, 0},
    {DEFAULT_ENEMY_2_WHITE, DEFAULT_ENEMY_WHITE, "sprites/classic_white.bmp", BMP, 45, 20, 0, 0},
    {DEFAULT_ENEMY_3, DEFAULT_ENEMY, "sprites/girosheet1.bmp", BMP, 45, 20, 4, 0},
    {DEFAULT_ENEMY_3_WHITE, DEFAULT_ENEMY_WHITE, "sprites/giro_white.bmp", BMP, 45, 20, 0, 0},
    {DEFAULT_ENEMY_4, DEFAULT_ENEMY, "sprites/bubblesheet.bmp", BMP, 45, 20, 6, 0},
    {DEFAULT_ENEMY_4_WHITE, DEFAULT_ENEMY_WHITE, "sprites/bubble_white.bmp", BMP, 45, 20, 0, 0},
    {LARGE_ENEMY, LARGE_ENEMY, "sprites/dragonsheet1.bmp", BMP, 90, 40, 30, 0},
    {LARGE_ENEMY_WHITE, LARGE_ENEMY_WHITE, "sprites/dragon2_white.bmp", BMP, 90, 40, 0, 0},
};

const sheetRow COMMON_SHEETS[] = {
    {DEFAULT_AVATAR, DEFAULT_AVATAR, "sprites/avsheet1.bmp", BMP, 45, 20, 6, 0},
    {DEFAULT_AVATAR_BULLET, DEFAULT_AVATAR_BULLET, "sprites/goodbullet.png", PNG, 10, 10, 0, 20.0f},
    {DEFAULT_ENEMY_BULLET, DEFAULT_ENEMY_BULLET, "sprites/badbullet.png", PNG, 10, 10, 0, 20.0f},
    {DEFAULT_AVATAR_WHITE, DEFAULT_AVATAR_WHITE, "sprites/invavatar.bmp", BMP, 45, 20, 0, 0},
    {DEFAULT_EXPLOSION_0, DEFAULT_EXPLOSION_0, "sprites/exp1.png", PNG, 20, 20, 20, 40.0f},
    {DEFAULT_SMART_BOMB, DEFAULT_SMART_BOMB, "sprites/smartbomb.bmp", BMP, 10, 215, 0, 0},
    {HEART, HEART, "sprites/heart.bmp", BMP, 20, 20, 0, 0},
    {BOMB, BOMB, "sprites/bomb.bmp", BMP, 20, 20, 0, 0},
    {BOSS_1, BOSS_1, "sprites/body_1.bmp", BMP, 50, 215, 0, 0},
    {BOSS_2, BOSS_2, "sprites/bossarms.bmp", BMP, 90, 40, 32, 0},
    {BOSS_1_WHITE, BOSS_1_WHITE, "sprites/boss1white.bmp", BMP, 50, 215, 0, 0},
    {BOSS_2_WHITE, BOSS_2_WHITE, "sprites/boss2white.bmp", BMP, 90, 40, 0, 0},
    {EXTRA_LIFE, EXTRA_LIFE, "sprites/healthupsheet.bmp", BMP, 20, 20, 17, 0},
    {POINTS_500, POINTS_500, "sprites/P_500sheet.bmp", BMP, 20, 20, 17, 0},
    {POINTS_100, POINTS_100, "sprites/P_100sheet.bmp", BMP, 20, 20, 17, 0},
    {EXTRA_BOMB, EXTRA_BOMB, "sprites/smartbombpu.bmp", BMP, 20, 20, 0, 0},
    {FIRE_POWER, FIRE_POWER, "sprites/fireupsheet.bmp", BMP, 20, 20, 17, 0},
};

const themeRow THEMES[] = {
    {"Forest",
     {{BACKGROUND_1, "backgrounds/forest1.bmp", BMP, WIDE, FIELD, 0.8f},
      {BACKGROUND_2, "backgrounds/forest2.bmp", BMP, WIDE, FIELD, 1.0f},
      {BACKGROUND_3, "backgrounds/forest3.bmp", BMP, WIDE, FIELD, 1.2f},
      {BACKGROUND_4, "backgrounds/rays1.png", PNG, OVERLAY, FIELD, 0.0f}},
     FOREST_WAVES},
    {"Ruin",
     {{BACKGROUND_1, "backgrounds/ruin1.bmp", BMP, WIDE, FIELD, 0.8f},
      {BACKGROUND_2, "backgrounds/ruin2.bmp", BMP, WIDE, FIELD, 1.0f},
      {BACKGROUND_3, "backgrounds/ruin3.bmp", BMP, WIDE, FIELD, 1.2f}},
     RUIN_WAVES},
    {"City",
     {{BACKGROUND_1, "backgrounds/city1.bmp", BMP, WIDE, FIELD, 0.8f},
      {BACKGROUND_2, "backgrounds/city2.bmp", BMP, WIDE, FIELD, 1.0f},
      {BACKGROUND_3, "backgrounds/city3.bmp", BMP, WIDE, FIELD, 1.2f},
      {BACKGROUND_4, "backgrounds/fog1.png", PNG, OVERLAY, FIELD, 2.0f}},
     CITY_WAVES},
    {"Mountain",
     {{BACKGROUND_1, "backgrounds/mountains1.bmp", BMP, WIDE, FIELD, 0.8f},
      {BACKGROUND_2, "backgrounds/mountains2.bmp", BMP, WIDE, FIELD, 1.0f},
      {BACKGROUND_3, "backgrounds/mountains3.bmp", BMP, WIDE, FIELD, 1.2f}},
     MOUNTAIN_WAVES},
};

const themeRow* themeOfLevel(int levelNumber) {
  int index = levelNumber - FIRST_THEMED_LEVEL;
  if (index < 0 || index >= THEME_COUNT) return nullptr;
  return &THEMES[index];
}

int layerCount(const themeRow& theme) {
  int count = 0;
  while (count < MAX_LAYERS && theme.layers[count].file != nullptr) count++;
  return count;
}

int callCount(const waveRow& wave) {
  int count = 0;
  while (count < MAX_CALLS_PER_WAVE && wave.calls[count].pattern != 0) count++;
  return count;
}

bool highScoreFileName(int levelNumber, char* name, int size) {
  if (levelNumber < 1 || levelNumber > LAST_SCORED_LEVEL) return false;
  int length = snprintf(name, size, "%srecords/highscores%d.txt", saveFolderPrefix(), levelNumber);
  return length > 0 && length < size;
}

void fillWave(wave* target, const waveRow& row) {
  int calls = callCount(row);
  for (int i = 0; i < calls; i++) {
    const patternCall& call = row.calls[i];
    if (call.pattern < 1 || call.pattern > PATTERN_KINDS) continue;
    PATTERNS[call.pattern - 1](target, call.yOffset, call.difficulty, ENEMIES_PER_PATROL);
  }
}
