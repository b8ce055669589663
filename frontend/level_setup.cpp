// Setting up and running one level: status screens, the level object, its high-score
// table, sprite sheets, background layers and waves, then play.
#include "frontend/level_setup.h"

#include "engine/avatar.h"
#include "engine/kept_runs.h"
#include "engine/level.h"
#include "engine/wave.h"
#include "frontend/game.h"
#include "frontend/game_flow.h"
#include "platform/constants.h"

using namespace levelContent;

namespace {
// Every sheet keys out this colour (a BMP's transparent pixels; PNGs ignore it).
constexpr int KEY_RED = 254;
constexpr int KEY_GREEN = 102;
constexpr int KEY_BLUE = 254;

// Background layers scroll left along this heading from the play field's top-left corner.
constexpr float LAYER_DIRECTION = DTR90;
constexpr float LAYER_X = 0.0f;
constexpr float LAYER_Y = static_cast<float>(SCREEN_TOP);
constexpr int LAYER_HEALTH = 1;
constexpr int LAYER_ALIGNMENT = 1;

constexpr int PROFILE_NAME_CHARS = 31;      // 30 characters and the terminator
constexpr int HIGH_SCORE_NAME_SIZE = 4096;  // the save folder may be a long path
// Starting health for a level number the profile has no setting for.
constexpr int FALLBACK_HEALTH = 3;
constexpr int HEALTH_SETTINGS = 100;

// A black screen with one line of white text. The surface may still be faded out from
// the screen before (its alpha left at 0), which would present nothing: show it opaque.
void showStatus(game& theGame, const char* text) {
  SDL_SetAlpha(theGame.screen, SDL_SRCALPHA, SDL_ALPHA_OPAQUE);
  SDL_FillRect(theGame.screen, nullptr, SDL_MapRGB(theGame.screen->format, 0, 0, 0));
  theGame.drawText(theGame.screen, text, 0, 0, 255, 255, 255);
  presentSurface(theGame.screen);
}

void loadSheet(level& target, int slot, int tId, const char* file, int kind, int w, int h) {
  target.addSpriteType(slot, tId, file, kind, KEY_RED, KEY_GREEN, KEY_BLUE, w, h);
}

// The health the level starts with, read from the profile when it has a setting for it.
int startingHealth(const game& theGame, int levelNumber) {
  if (levelNumber < 0 || levelNumber >= HEALTH_SETTINGS) return FALLBACK_HEALTH;
  return playableHealth(theGame.healthSettings[levelNumber]);
}
}  // namespace

void loadSheets(level& target, const sheetRow* rows, int count) {
  for (int i = 0; i < count; i++) {
    const sheetRow& row = rows[i];
    loadSheet(target, row.slot, row.tId, row.file, row.kind, row.width, row.height);
    if (row.offsets != 0.0f) {
      target.setOffsets(row.slot, row.offsets, row.offsets, row.offsets, row.offsets);
    }
    if (row.frames != 0) target.setMaxFrame(row.slot, row.frames);
  }
}

void addThemeLayers(level& target, const themeRow& theme) {
  int layers = layerCount(theme);
  for (int i = 0; i < layers; i++) {
    const layerRow& layer = theme.layers[i];
    loadSheet(target, layer.slot, layer.slot, layer.file, layer.kind, layer.width, layer.height);
  }
  for (int i = 0; i < layers; i++) {
    const layerRow& layer = theme.layers[i];
    target.addBackground(i, layer.slot, LAYER_DIRECTION, layer.speed, LAYER_X, LAYER_Y,
                         LAYER_HEALTH, LAYER_ALIGNMENT, layer.width, layer.height);
  }
}

void addThemeWaves(level& target, const themeRow& theme) {
  for (int i = 0; i < WAVES_PER_THEME; i++) {
    wave* next = new wave();
    fillWave(next, theme.waves[i]);
    target.addWave(next);
  }
}

int game::playLevel(int levelNumber) {
  showStatus(*this, "Level initialisation started...");
  level current(screen, font);
  current.runs->levelNumber = levelNumber;
  for (int i = 0; i < PROFILE_NAME_CHARS; i++) current.setProfileName(i, profileName[i]);

  char scoreFile[HIGH_SCORE_NAME_SIZE];
  bool keepsScores = highScoreFileName(levelNumber, scoreFile, sizeof scoreFile);
  if (keepsScores) current.loadHighScores(scoreFile);
  const themeRow* theme = themeOfLevel(levelNumber);
  if (theme != nullptr) loadSheets(current, ENEMY_SHEETS, ENEMY_SHEET_COUNT);
  current.showHighScores();

  showStatus(*this, "Loading...");
  loadSheets(current, COMMON_SHEETS, COMMON_SHEET_COUNT);
  if (theme != nullptr) {
    addThemeLayers(current, *theme);
    addThemeWaves(current, *theme);
  }

  // What the level earned is saved as soon as it is known, before the outcome and table
  // screens wait for the player, who may leave the game there at once; the saves after
  // them write the same bytes again.
  current.keepEarned = [&](int result) {
    if (keepsScores) current.saveHighScoresWithEntry(scoreFile, current.levelAv->getScore());
    saveProfileAhead(levelNumber, result);
  };
  // The profile's setting is read as play begins, after the table screen.
  int result = current.play(startingHealth(*this, levelNumber));
  if (keepsScores) current.saveHighScores(scoreFile);
  current.showHighScores();
  return result;
}
