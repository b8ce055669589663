// What every menu screen shares: reading the controls as menu inputs, wrapping a
// selection, the two menu sounds, static text lines and the once-per-tick redraw loop.
#pragma once
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <functional>

class game;

enum class menuInput { NONE, UP, DOWN, LEFT, RIGHT, CONFIRM, BACK };

// What a menu does after one input: stay, finish once the rest of the pending inputs
// have been handled, or leave at once (the rest stays queued).
enum class menuStep { STAY, FINISH, LEAVE_NOW };

// Key presses and joystick button presses (the GP2X buttons); releases and everything
// else read as NONE.
menuInput readMenuInput(const SDL_Event& event);

// Moves a selection of 1 to count by delta, wrapping round at both ends.
int wrapSelection(int selection, int delta, int count);

// Up and Down move a selection of 1 to count with wrap-round and play the toggle sound;
// returns false, changing nothing, for any other input.
bool moveSelection(int& selection, menuInput input, int count, Mix_Chunk* toggleSound);

// Plays a menu sound once on the first free channel; a sound that did not load is skipped.
void playMenuSound(Mix_Chunk* chunk);

struct menuLine {
  const char* text;
  int x;
  int y;
};

void fillBlack(SDL_Surface* surface);
// Draws lines in white; the array ends with a line whose text is null.
void drawWhiteLines(game& g, const menuLine* lines);

// Draws the first frame and fades it in, says (as a trace line) that the screen named name
// waits, then each tick redraws, presents and hands every pending input to handleInput.
// Returns true when the menu finished, false when it was left at once.
bool runMenu(const char* name, SDL_Surface* screen, const std::function<void()>& drawFrame,
             const std::function<menuStep(menuInput)>& handleInput);

// As runMenu, but a menu left without a key, button or click for idleMs (0: never) ends as
// IDLE, and one that is not to fade in is shown at once.
enum class menuEnd { FINISHED, LEFT, IDLE };
menuEnd runMenuUntilIdle(const char* name, SDL_Surface* screen,
                         const std::function<void()>& drawFrame,
                         const std::function<menuStep(menuInput)>& handleInput, Uint32 idleMs,
                         bool fadeIn);
// A key, pad button or mouse button pressed (a touch arrives as a key or a click).
bool isPlayerPress(const SDL_Event& event);

constexpr int MENU_FADE_TICKS = 60;
