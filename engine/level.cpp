// The level object: construction and tear-down, its sound effects, the filling operations
// the level set-up uses, the level-screen fade request and the level's text drawing.
#include "engine/level.h"

#include <cstdio>

#include "engine/avatar.h"
#include "engine/enemy_list.h"
#include "engine/kept_runs.h"
#include "engine/sprite.h"
#include "engine/sprite_type.h"
#include "engine/wave.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/text.h"

namespace {
const int BACKGROUND_SLOTS = 10;
const int NAME_CHARS = 31;  // 30 characters and the terminating zero
const int EXTRAS_SLOTS = 10;

// The ship every level starts with: 45 by 20 pixels at (10, 10), 2 pixels per tick,
// a volley at most every 7 ticks, 3 health and a 6-frame animation.
const float SHIP_SPEED = 2.0f;
const float SHIP_START_X = 10.0f;
const float SHIP_START_Y = 10.0f;
const int SHIP_WIDTH = 45;
const int SHIP_HEIGHT = 20;
const int SHIP_VOLLEY_TICKS = 7;
const int SHIP_START_HEALTH = 3;
const int SHIP_MAX_FRAME = 6;

// One sound effect of the level: where it lives in the object, its file, and the line
// printed when it cannot be loaded. Listed in loading (and freeing) order.
struct soundEffect {
  Mix_Chunk* level::*chunk;
  const char* file;
  const char* failure;
};

const soundEffect SOUND_EFFECTS[] = {
    {&level::avatar_gun, "sounds/avatar_gun.wav", "Avatar Gun Sound failed to load\n"},
    {&level::avatar_explode, "sounds/avatar_explode.wav", "Avatar Explode Sound failed to load\n"},
    {&level::enemy_gun, "sounds/enemy_gun.wav", "Enemy Gun Sound failed to load\n"},
    {&level::enemy_explode, "sounds/enemy_explode.wav", "Enemy Explode Sound failed to load\n"},
    {&level::double_fire_sound, "sounds/double_fire.wav", "Double fire Sound failed to load\n"},
    {&level::triple_fire_sound, "sounds/triple_fire.wav", "Triple Fire Sound failed to load\n"},
    {&level::points_500_sound, "sounds/points_500.wav", "Points 500 Sound failed to load\n"},
    {&level::points_100_sound, "sounds/points_100.wav", "Points 100 Sound failed to load\n"},
    {&level::health_pack_sound, "sounds/health_pack.wav", "Health Pack Sound failed to load\n"},
    {&level::made_leaderboard_sound, "sounds/made_leaderboard.wav",
     "Made Leaderboard Sound failed to load\n"},
    {&level::extra_bomb_sound, "sounds/extra_bomb.wav", "Extra Bomb Sound failed to load\n"},
    {&level::smart_bomb_sound, "sounds/smart_bomb.wav", "Smart Bomb Sound failed to load\n"},
};

Mix_Chunk* loadSoundEffect(const char* file) {
  SDL_RWops* stream = SDL_RWFromFile(file, "rb");
  if (stream == nullptr) return nullptr;
  return Mix_LoadWAV_RW(stream, 1);  // frees the stream whatever happens
}

bool validSheetSlot(int index) { return index >= 0 && index < SPRITE_SLOTS; }

}  // namespace

level::level(SDL_Surface* levelScreenC, TTF_Font* levelFontC) {
  for (int i = 0; i < SPRITE_SLOTS; i++) levelSprites[i] = nullptr;
  for (int i = 0; i < BACKGROUND_SLOTS; i++) {
    bGActive[i] = false;
    backgrounds[i] = nullptr;
  }
  eList = new enemyList();
  wList = new waveList(eList);
  levelAv = new avatar(DEFAULT_AVATAR, 0.0f, SHIP_SPEED, SHIP_START_X, SHIP_START_Y, SHIP_WIDTH,
                       SHIP_HEIGHT, SHIP_VOLLEY_TICKS);
  levelAv->setHealth(SHIP_START_HEALTH);
  levelAv->setMaxFrame(SHIP_MAX_FRAME);
  levelScreen = levelScreenC;
  levelFont = levelFontC;
  endLevel = false;
  channel = 0;
  for (const soundEffect& effect : SOUND_EFFECTS) this->*effect.chunk = nullptr;
  music = nullptr;
  fadePoint = 0.0f;
  fadeLength = 0.0f;
  fadeDirection = FADE_IN;

  // Fields nothing fills on purpose still get a defined content: an empty high-score table
  // (what a level shows and extends before its first save), no extras, no record file.
  for (bool& unlockable : unlockables) unlockable = false;
  highScoreFile = nullptr;
  runs = new keptRunIndex();
  for (int i = 0; i < 10; i++) {
    highScores[i] = 0;
    for (int c = 0; c < NAME_CHARS - 1; c++) highScoreNames[i][c] = ' ';
    highScoreNames[i][NAME_CHARS - 1] = '\0';
    for (int e = 0; e < EXTRAS_SLOTS; e++) highExtrasUsed[i][e] = false;
  }
  for (int c = 0; c < NAME_CHARS - 1; c++) profileName[c] = ' ';
  profileName[NAME_CHARS - 1] = '\0';
  for (bool& used : extrasUsed) used = false;

  for (const soundEffect& effect : SOUND_EFFECTS) {
    this->*effect.chunk = loadSoundEffect(effect.file);
    if (this->*effect.chunk == nullptr) printf("%s", effect.failure);
  }
}

level::~level() {
  delete runs;
  for (const soundEffect& effect : SOUND_EFFECTS) {
    if (this->*effect.chunk != nullptr) Mix_FreeChunk(this->*effect.chunk);
    this->*effect.chunk = nullptr;
  }
  if (music != nullptr) Mix_FreeMusic(music);
  music = nullptr;
  delete wList;
  delete eList;
  delete levelAv;
  for (spriteType*& sheet : levelSprites) {
    delete sheet;
    sheet = nullptr;
  }
  for (background*& layer : backgrounds) {
    delete layer;
    layer = nullptr;
  }
}

void level::addSpriteType(int aIndex, int tId, const char* imgFile, int iTId, int tR, int tG,
                          int tB, int w, int h) {
  if (!validSheetSlot(aIndex)) return;
  delete levelSprites[aIndex];  // a refilled slot must not leak the sheet it held
  levelSprites[aIndex] = new spriteType(tId, imgFile, iTId, tR, tG, tB, w, h);
}

void level::setOffsets(int aIndex, float lO, float rO, float tO, float bO) {
  if (!validSheetSlot(aIndex) || levelSprites[aIndex] == nullptr) return;
  levelSprites[aIndex]->setOffsets(lO, rO, tO, bO);
}

void level::setMaxFrame(int sMFIndex, int mF) {
  if (!validSheetSlot(sMFIndex) || levelSprites[sMFIndex] == nullptr) return;
  levelSprites[sMFIndex]->setMaxFrame(mF);
}

void level::addBackground(int index, int tId, float dir, float sp, float x1, float y1, int he,
                          int al, int w1, int h1) {
  if (index < 0 || index >= BACKGROUND_SLOTS) return;
  bGActive[index] = true;
  delete backgrounds[index];
  backgrounds[index] = new background(tId, dir, sp, x1, y1, he, al, w1, h1);
}

void level::addWave(wave* toAdd) {
  if (toAdd != nullptr) wList->append(toAdd);
}

void level::setProfileName(int index, char toBeSet) {
  if (index < 0 || index >= NAME_CHARS) return;
  profileName[index] = toBeSet;
}

void level::setExtrasUsed(int index, bool value) {
  if (index < 0 || index >= EXTRAS_SLOTS) return;
  extrasUsed[index] = value;
}

void level::startFade(int inOrOut, int duration) {
  fadeDirection = inOrOut;
  fadeLength = static_cast<float>(duration);
}

void level::drawText(const char* string, int x, int y, int fR, int fG, int fB) {
  drawFontText(levelFont, levelScreen, string, x, y, fR, fG, fB);
}

void level::drawTextInt(SDL_Surface* screen, int number, int x, int y, int fR, int fG, int fB) {
  char text[16];
  snprintf(text, sizeof text, "%d", number);
  drawFontText(levelFont, screen, text, x, y, fR, fG, fB);
}
