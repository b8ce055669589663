// A headless level for tests: dummy display and audio, the game's font, the virtual clock.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "engine/level.h"
#include "platform/clock.h"
#include "tests/support/headless.h"

struct LevelFixture : testing::Test {
  SDL_Surface* screen = nullptr;
  TTF_Font* font = nullptr;
  level* lv = nullptr;

  void SetUp() override {
    openHeadlessDisplay();
    SDL_InitSubSystem(SDL_INIT_AUDIO);
    Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024);
    Mix_AllocateChannels(16);
    TTF_Init();
    font = TTF_OpenFont("fonts/xirod.ttf", 8);
    ASSERT_NE(font, nullptr);
    screen = makeScreenSurface();
    lv = makeLevel();
  }

  void TearDown() override {
    delete lv;
    SDL_FreeSurface(screen);
    TTF_CloseFont(font);
    TTF_Quit();
    Mix_CloseAudio();
    closeHeadlessDisplay();
  }

  // The sound effects may be missing; their failure lines are not what these tests check.
  level* makeLevel() {
    level* made = nullptr;
    printedBy([&] { made = new level(screen, font); });
    return made;
  }

  void setProfile(const std::string& name) {
    std::string padded = name + std::string(30 - name.size(), ' ');
    for (int i = 0; i < 30; i++) lv->setProfileName(i, padded[i]);
    lv->setProfileName(30, '\0');
  }

  // Presses a key or button every periodMs of virtual time, forever.
  static void keepPressing(SDLKey key, Uint32 periodMs) {
    Uint32 last = virtualClock::now();
    virtualClock::onEveryRead([key, periodMs, last](Uint32 now) mutable {
      if (now - last < periodMs) return;
      last = now;
      pushKeyPress(key);
    });
  }
};
