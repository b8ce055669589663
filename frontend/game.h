// The game object: system start-up and shut-down, the front-end flow, the current
// profile, the menu screens and the set-up of each level.
#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <SDL/SDL_ttf.h>

#include "platform/present.h"

class level;

class game {
 public:
  int shipChoice;
  bool features[100];
  char profileName[31];  // 30 characters padded with spaces, then a terminating zero
  int levelChoice;
  bool extras[100];
  int profileSlot;  // 1 to 5
  // [L]: starting health of level L; [L + 20]: lowest starting health it was completed with.
  int healthSettings[100];
  SDL_Surface* screen;  // the composition surface every screen draws on
  Mix_Chunk* toggle_sound;
  Mix_Chunk* affirm_sound;
  TTF_Font* font;

  game();
  ~game();
  game(const game&) = delete;
  game& operator=(const game&) = delete;

  void play();
  void LoadFont(unsigned char size);
  void drawText(SDL_Surface* screen, const char* string, int x, int y, int fR, int fG, int fB);

  // Title and instructions.
  void showTitleScreen();
  void showInstructions();
  // Profiles.
  bool saveProfile();
  // Saves the profile as the health rule will leave it after level levelNumber ended with
  // result, leaving healthSettings as they are; nothing when no slot is chosen.
  void saveProfileAhead(int levelNumber, int result);
  bool loadProfile();
  bool createProfile();
  bool showProfileScreen();
  // Level selection and set-up.
  int showLevelScreen();
  int playLevel(int levelNumber);
};
