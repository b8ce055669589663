// Start-up and shut-down of the game object, its font and text.
#include "frontend/game.h"

#include <cstdio>
#include <cstdlib>

#include "platform/constants.h"
#include "platform/desktop_display.h"
#include "platform/globals.h"
#include "platform/lifetime.h"
#include "platform/present.h"
#include "platform/text.h"

namespace {
const char* FONT_FILE = "fonts/xirod.ttf";

void hideCursorTwice() {
  SDL_ShowCursor(SDL_DISABLE);
  SDL_ShowCursor(SDL_DISABLE);
}

Mix_Chunk* loadMenuSound(const char* fileName) {
  return Mix_LoadWAV_RW(SDL_RWFromFile(fileName, "rb"), 1);
}
}  // namespace

game::game() {
  startSdl(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
  hideCursorTwice();
  globalScreen = SDL_SetVideoMode(WINDOW_WIDTH, WINDOW_HEIGHT, 16, prepareVideoMode());
  requireVideoMode(globalScreen);
  // A new display holds whatever memory it was given; a picture presented before the
  // first fade is blended onto it, so it starts black.
  if (globalScreen != nullptr) SDL_FillRect(globalScreen, nullptr, 0);
  screen = SDL_CreateRGBSurface(SDL_HWSURFACE | SDL_SRCCOLORKEY | SDL_SRCALPHA, WINDOW_WIDTH,
                                WINDOW_HEIGHT, 16, 0, 0, 0, 0);
  hideCursorTwice();
  if (screen == nullptr) printf("SDL_SetVideoMode screen not initialised.\n");
  SDL_WM_SetCaption(WINDOW_TITLE, nullptr);
  SDL_JoystickOpen(0);
  TTF_Init();
  // Without a sound device the mixer stays closed and every sound simply fails to load.
  Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024);
  Mix_AllocateChannels(16);
  font = nullptr;
  LoadFont(8);
  for (int i = 0; i < 100; i++) {
    features[i] = false;
    extras[i] = false;
    healthSettings[i] = i <= 10 ? 3 : 0;
  }
  profileName[0] = 'A';
  for (int i = 1; i < 30; i++) profileName[i] = ' ';
  profileName[30] = '\0';
  shipChoice = 0;
  levelChoice = 0;
  profileSlot = 0;
  Mix_Volume(-1, master_volume);
  Mix_VolumeMusic(master_volume);
  toggle_sound = loadMenuSound("sounds/toggle_sound.wav");
  affirm_sound = loadMenuSound("sounds/affirm_sound.wav");
}

game::~game() {
  if (screen != nullptr) SDL_FreeSurface(screen);
  if (toggle_sound != nullptr) Mix_FreeChunk(toggle_sound);
  if (affirm_sound != nullptr) Mix_FreeChunk(affirm_sound);
  Mix_CloseAudio();
  if (font != nullptr) TTF_CloseFont(font);
  TTF_Quit();
  SDL_Quit();
  globalScreen = nullptr;
}

void game::LoadFont(unsigned char size) {
  font = TTF_OpenFont(FONT_FILE, size);
  if (font != nullptr) return;
  // Every screen needs the font: leave before any text could be drawn without it.
  fprintf(stderr, "Cannot open the font %s: %s\n", FONT_FILE, TTF_GetError());
  fflush(stdout);
  TTF_Quit();
  SDL_Quit();
  std::exit(EXIT_FAILURE);
}

void game::drawText(SDL_Surface* target, const char* string, int x, int y, int fR, int fG, int fB) {
  drawFontText(font, target, string, x, y, fR, fG, fB);
}
