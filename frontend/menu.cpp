// The shared menu machinery: input mapping, sounds, text lines and the redraw loop.
#include "frontend/menu.h"

#include "engine/fade.h"
#include "frontend/game.h"
#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"

namespace {
const Uint32 MENU_REFRESH_MS = 1000;  // a waiting menu shows its picture again this often

menuInput inputForKey(SDLKey key) {
  switch (key) {
    case SDLK_UP: return menuInput::UP;
    case SDLK_DOWN: return menuInput::DOWN;
    case SDLK_LEFT: return menuInput::LEFT;
    case SDLK_RIGHT: return menuInput::RIGHT;
    case SDLK_SPACE: return menuInput::CONFIRM;
    case SDLK_ESCAPE: return menuInput::BACK;
    default: return menuInput::NONE;
  }
}

// GP2X: 0 up, 4 down, 2 left, 6 right, 13 the B button, 15 the X button.
menuInput inputForButton(int button) {
  switch (button) {
    case 0: return menuInput::UP;
    case 4: return menuInput::DOWN;
    case 2: return menuInput::LEFT;
    case 6: return menuInput::RIGHT;
    case 13: return menuInput::CONFIRM;
    case 15: return menuInput::BACK;
    default: return menuInput::NONE;
  }
}
}  // namespace

menuInput readMenuInput(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) return inputForKey(event.key.keysym.sym);
  if (event.type == SDL_JOYBUTTONDOWN) return inputForButton(event.jbutton.button);
  return menuInput::NONE;
}

int wrapSelection(int selection, int delta, int count) {
  int moved = selection + delta;
  if (moved < 1) return count;
  if (moved > count) return 1;
  return moved;
}

bool moveSelection(int& selection, menuInput input, int count, Mix_Chunk* toggleSound) {
  if (input != menuInput::UP && input != menuInput::DOWN) return false;
  selection = wrapSelection(selection, input == menuInput::UP ? -1 : 1, count);
  playMenuSound(toggleSound);
  return true;
}

void playMenuSound(Mix_Chunk* chunk) {
  if (chunk == nullptr) return;
  channel = Mix_PlayChannelTimed(-1, chunk, 0, -1);
}

void fillBlack(SDL_Surface* surface) {
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
}

void drawWhiteLines(game& g, const menuLine* lines) {
  for (const menuLine* line = lines; line->text != nullptr; line++) {
    g.drawText(g.screen, line->text, line->x, line->y, 255, 255, 255);
  }
}

bool runMenu(const char* name, SDL_Surface* screen, const std::function<void()>& drawFrame,
             const std::function<menuStep(menuInput)>& handleInput) {
  return runMenuUntilIdle(name, screen, drawFrame, handleInput, 0, true) == menuEnd::FINISHED;
}

menuEnd runMenuUntilIdle(const char* name, SDL_Surface* screen,
                         const std::function<void()>& drawFrame,
                         const std::function<menuStep(menuInput)>& handleInput, Uint32 idleMs,
                         bool fadeIn) {
  drawFrame();
  if (fadeIn) fadeScreen(screen, FADE_IN, MENU_FADE_TICKS);
  trace("screen waits: %s", name);
  Uint32 lastDrawMs = readClock();
  Uint32 lastPresentMs = lastDrawMs;
  Uint32 lastPressMs = lastDrawMs;
  bool changed = true;
  for (;;) {
    // Input just read is drawn at the next tick; only a settled picture sleeps till input.
    if (changed) {
      waitForNextTick(lastDrawMs);
    } else {
      Uint32 wakeMs = lastPresentMs + MENU_REFRESH_MS;
      bool idleFirst = idleMs > 0 && static_cast<Sint32>(lastPressMs + idleMs - wakeMs) < 0;
      waitForTickOrInput(lastDrawMs, idleFirst ? lastPressMs + idleMs : wakeMs);
    }
    // The picture changes only through input: compose and present it again after an
    // event, and otherwise only now and then in case the display lost it.
    if (changed || lastDrawMs - lastPresentMs >= MENU_REFRESH_MS) {
      drawFrame();
      presentSurface(screen);
      lastPresentMs = lastDrawMs;
      changed = false;
    }
    bool finished = false;
    SDL_Event event;
    while (pollInputEvent(&event)) {
      changed = true;
      if (isPlayerPress(event)) lastPressMs = lastDrawMs;
      menuStep step = handleInput(readMenuInput(event));
      if (step == menuStep::LEAVE_NOW) return menuEnd::LEFT;
      if (step == menuStep::FINISH) finished = true;
    }
    if (finished) return menuEnd::FINISHED;
    if (idleMs > 0 && lastDrawMs - lastPressMs >= idleMs) return menuEnd::IDLE;
  }
}

bool isPlayerPress(const SDL_Event& event) {
  return event.type == SDL_KEYDOWN || event.type == SDL_JOYBUTTONDOWN ||
         event.type == SDL_MOUSEBUTTONDOWN;
}
