// One attempt at one level: the ship, the enemy and wave lists, sprite sheets, background
// layers, sounds and music, the level-screen fade, and the level's high-score table.
#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_ttf.h>

#include <functional>

class avatar;
class background;
class enemyList;
struct keptRunIndex;
class spriteType;
class wave;
class waveList;

class level {
 public:
  bool unlockables[100];
  char* highScoreFile;
  waveList* wList;
  enemyList* eList;
  avatar* levelAv;
  spriteType* levelSprites[100];
  TTF_Font* levelFont;  // the game's font, not owned
  bool endLevel;        // the outcome is decided; the run-out has begun
  char highScoreNames[10][31];
  bool highExtrasUsed[10][10];
  int highScores[10];  // best first
  char profileName[31];
  bool extrasUsed[10];
  bool bGActive[10];
  background* backgrounds[10];
  int channel;
  Mix_Chunk* avatar_gun;
  Mix_Chunk* enemy_gun;
  Mix_Chunk* avatar_explode;
  Mix_Chunk* enemy_explode;
  Mix_Chunk* double_fire_sound;
  Mix_Chunk* triple_fire_sound;
  Mix_Chunk* points_500_sound;
  Mix_Chunk* points_100_sound;
  Mix_Chunk* health_pack_sound;
  Mix_Chunk* made_leaderboard_sound;
  Mix_Chunk* extra_bomb_sound;
  Mix_Chunk* smart_bomb_sound;
  Mix_Music* music;
  float fadePoint;   // ticks into the running level-screen fade
  float fadeLength;  // ticks; 0 when no fade runs
  int fadeDirection;
  // Run once the outcome and the final score are known, before the post-level screen first
  // waits for the player: the front end saves there what the level earned, so that leaving
  // at once at that screen or at the table after it loses nothing. Empty: nothing is run.
  std::function<void(int howItEnded)> keepEarned;
  keptRunIndex* runs;  // the runs kept beside the table, and this play's recording

  level(SDL_Surface* levelScreenC, TTF_Font* levelFontC);
  ~level();
  level(const level&) = delete;
  level& operator=(const level&) = delete;

  void addSpriteType(int aIndex, int tId, const char* imgFile, int iTId, int tR, int tG, int tB,
                     int w, int h);
  void setOffsets(int aIndex, float lO, float rO, float tO, float bO);
  void setMaxFrame(int sMFIndex, int mF);
  void addBackground(int index, int tId, float dir, float sp, float x1, float y1, int he, int al,
                     int w1, int h1);
  void addWave(wave* toAdd);
  void setProfileName(int index, char toBeSet);
  void setExtrasUsed(int index, bool value);
  void startFade(int inOrOut, int duration);
  void drawText(const char* string, int x, int y, int fR, int fG, int fB);
  void drawTextInt(SDL_Surface* screen, int number, int x, int y, int fR, int fG, int fB);

  // The level whose play() is running, for tools that watch a game from outside; null
  // otherwise. Nothing in the game reads it.
  static level* playing;
  int play(
      int levelHealth);  // runs the level to its end; PLAYER_KILLED, PLAYER_QUIT or LEVEL_COMPLETE

  bool loadHighScores(const char* hsFile);
  bool saveHighScores(const char* hsFile);
  // Writes the table as the score entry will leave it for score, leaving the table in the
  // level as it is; false, printing nothing, when the file cannot be written.
  bool saveHighScoresWithEntry(const char* hsFile, int score);
  int showHighScores();
};
