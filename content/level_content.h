// What the levels are made of, as data: the sprite sheets every level loads, the
// background layers of the four themes and the twenty-two waves each theme releases.
#pragma once

class wave;

namespace levelContent {
constexpr int FIRST_THEMED_LEVEL = 1;  // 1 Forest, 2 Ruin, 3 City, 4 Mountain
constexpr int THEME_COUNT = 4;
constexpr int LAST_SCORED_LEVEL = 10;  // levels 1 to 10 keep a high-score file
constexpr int WAVES_PER_THEME = 22;
constexpr int MAX_CALLS_PER_WAVE = 8;
constexpr int MAX_LAYERS = 4;
constexpr int ENEMY_SHEET_COUNT = 10;
constexpr int COMMON_SHEET_COUNT = 17;
constexpr int ENEMIES_PER_PATROL = 4;  // numEms of every pattern call
constexpr int PATTERN_KINDS = 6;       // the set-up uses patterns 1 to 6
}  // namespace levelContent

// One sprite sheet to load into a level slot. Loading order within a row: the sheet,
// then its hit-box offsets, then its frame count.
struct sheetRow {
  int slot;  // where the level stores it (the sprite-type id objects name)
  int tId;   // the id the sheet itself carries
  const char* file;
  int kind;  // BMP or PNG
  int width;
  int height;
  int frames;     // highest animation frame; 0: none set
  float offsets;  // margin on all four sides, pixels; 0: none set
};

// One background layer: its sheet's slot and picture, and its scroll speed (pixels per tick).
struct layerRow {
  int slot;
  const char* file;  // null ends a theme's layers
  int kind;
  int width;
  int height;
  float speed;
};

// One call of a formation pattern on a wave.
struct patternCall {
  int pattern;  // 1 to 6; 0 ends a wave's calls
  float yOffset;
  int difficulty;
};

struct waveRow {
  patternCall calls[levelContent::MAX_CALLS_PER_WAVE];
};

struct themeRow {
  const char* name;
  layerRow layers[levelContent::MAX_LAYERS];  // layer index i is the i-th row
  const waveRow* waves;                       // WAVES_PER_THEME of them, in release order
};

// Enemy sheets, loaded by the themed levels before their high-score table is shown.
extern const sheetRow ENEMY_SHEETS[levelContent::ENEMY_SHEET_COUNT];
// Ship, shots, explosion, status icons, boss and power-up sheets, loaded by every level.
extern const sheetRow COMMON_SHEETS[levelContent::COMMON_SHEET_COUNT];
extern const themeRow THEMES[levelContent::THEME_COUNT];

// The theme of a level number, or null for a level without content.
const themeRow* themeOfLevel(int levelNumber);
int layerCount(const themeRow& theme);
int callCount(const waveRow& wave);
// Appends the wavelets of every pattern call of the row to the wave, in call order.
void fillWave(wave* target, const waveRow& row);
// Writes "records/highscores<N>.txt" in the save folder into name; false for a level
// number that keeps no high-score table or a name longer than size.
bool highScoreFileName(int levelNumber, char* name, int size);
