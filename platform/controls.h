// The player's controls: the actions, the key and pad button bound to each, the player's
// controls file that changes them, and how a press becomes the event the ship and menus read.
#pragma once
#include <SDL/SDL.h>

#include <string>
#include <vector>

// The eight moves come first, in the handheld's direction order (0 up, 1 up-left ... 7
// up-right), so that a move's number is its handheld direction button.
enum controlAction {
  MOVE_UP,
  MOVE_UP_LEFT,
  MOVE_LEFT,
  MOVE_DOWN_LEFT,
  MOVE_DOWN,
  MOVE_DOWN_RIGHT,
  MOVE_RIGHT,
  MOVE_UP_RIGHT,
  FIRE_WEST,
  FIRE_EAST,
  FIRE_SOUTH,
  FIRE_NORTH,
  BOMB,
  BOOST,
  PAUSE,
  LEAVE,
  VOLUME_DOWN,
  VOLUME_UP,
  CONFIRM,
  BACK,
  ACTION_COUNT
};

constexpr int NO_PAD_BUTTON = -1;
constexpr int LAST_PAD_BUTTON = 99;
constexpr long MAX_CONTROLS_FILE_BYTES = 64 * 1024;  // a longer file is not a controls file

// Per action, the key (SDLK_UNKNOWN for none; letters and digits by their place on a US
// keyboard) and the pad button as the pad numbers it (NO_PAD_BUTTON for none).
struct controlsMapping {
  SDLKey key[ACTION_COUNT];
  int pad[ACTION_COUNT];
};

controlsMapping defaultControls();

// Flying a level, or on any other screen (menus, a level's closing screens).
enum class controlsContext { FLIGHT, MENU };

// The key a key event stands for: a letter or digit key by where it sits (its scancode,
// the X11 key code the SDL 1.2 layers report on X11 and Wayland alike), named as on a US
// keyboard; any other key, or one without a known scancode, by its symbol.
SDLKey keyByPosition(const SDL_keysym& keysym);

// The event a raw key event becomes: a key bound to an action live here becomes that
// action's own event. In a menu an unbound key passes as it is (by its symbol), unless it
// is one a menu action reads; in flight it is dropped. False when dropped.
bool translateKey(const controlsMapping& controls, controlsContext where, const SDL_Event& raw,
                  SDL_Event& out);
// The same for a pad's raw button; in a menu a button bound to no menu action still gives
// its flight action's button (the high-score table reads them).
bool translatePadButton(const controlsMapping& controls, controlsContext where, int rawButton,
                        bool down, SDL_Event& out);

// The controls file's text read over the defaults. Each line refused (unknown action or
// key, a second line for the same action's key or button, a key or button that would serve
// two actions live at the same moment) adds "FILE:LINE: why" to warnings and changes nothing.
controlsMapping readControls(const std::string& text, const std::string& fileName,
                             std::vector<std::string>& warnings);
// The mapping in the file's own format, one "action = key" line each.
std::string formatControls(const controlsMapping& controls);

// ${XDG_CONFIG_HOME:-$HOME/.config}/skarnfall/controls.conf; "" without either. On Windows
// controls.conf beside the saves.
std::string controlsFilePath();
// Reads the file at path over the defaults, adding a warning for each line refused. A
// missing file gives the defaults quietly; anything but a regular text file (no control
// characters but tabs and line ends) of at most MAX_CONTROLS_FILE_BYTES is refused whole,
// with a warning. Never blocks, never writes.
controlsMapping loadControlsFile(const std::string& path, std::vector<std::string>& warnings);
