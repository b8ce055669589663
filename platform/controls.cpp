// The controls: what each action is called, sends and defaults to, keys by position, and
// the player's controls file.
#include "platform/controls.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

#include "platform/plain_file.h"
#include "platform/sdl_bridges.h"
#include "platform/target.h"

namespace {
// Where an action is live: while flying a level, on the other screens, or both.
constexpr int IN_FLIGHT = 1;
constexpr int IN_MENUS = 2;
constexpr int ANYWHERE = IN_FLIGHT | IN_MENUS;

struct actionInfo {
  const char* name;  // as the controls file writes it
  SDLKey sends;      // the key event the ship or menus read; SDLK_UNKNOWN: sends a button
  int button;        // the handheld button a pad sends for it
  int keyLive;       // where a key bound to it is live
  int padLive;       // where a pad button bound to it is live
  SDLKey defaultKey;
  int defaultPad;
};

// A desktop pad's usual layout: south, east, west, north face buttons, the shoulders, then
// back and start; the browser's standard layout has its triggers before back and start.
#ifdef SKARNFALL_WEB
constexpr int PAD_BACK = 8, PAD_START = 9;
#else
constexpr int PAD_BACK = 6, PAD_START = 7;
#endif

// Space lifts a pause in flight, so a key bound to confirm is live there too; a pad lifts
// a pause with its fire-west button instead, so its confirm button only serves menus.
const actionInfo ACTIONS[ACTION_COUNT] = {
    {"move up", SDLK_UP, 0, ANYWHERE, ANYWHERE, SDLK_UP, NO_PAD_BUTTON},
    {"move up-left", SDLK_UNKNOWN, 1, IN_FLIGHT, IN_FLIGHT, SDLK_UNKNOWN, NO_PAD_BUTTON},
    {"move left", SDLK_LEFT, 2, ANYWHERE, ANYWHERE, SDLK_LEFT, NO_PAD_BUTTON},
    {"move down-left", SDLK_UNKNOWN, 3, IN_FLIGHT, IN_FLIGHT, SDLK_UNKNOWN, NO_PAD_BUTTON},
    {"move down", SDLK_DOWN, 4, ANYWHERE, ANYWHERE, SDLK_DOWN, NO_PAD_BUTTON},
    {"move down-right", SDLK_UNKNOWN, 5, IN_FLIGHT, IN_FLIGHT, SDLK_UNKNOWN, NO_PAD_BUTTON},
    {"move right", SDLK_RIGHT, 6, ANYWHERE, ANYWHERE, SDLK_RIGHT, NO_PAD_BUTTON},
    {"move up-right", SDLK_UNKNOWN, 7, IN_FLIGHT, IN_FLIGHT, SDLK_UNKNOWN, NO_PAD_BUTTON},
    {"fire west", SDLK_a, 12, IN_FLIGHT, IN_FLIGHT, SDLK_a, 2},
    {"fire east", SDLK_d, 13, IN_FLIGHT, IN_FLIGHT, SDLK_d, 0},
    {"fire south", SDLK_s, 15, IN_FLIGHT, IN_FLIGHT, SDLK_s, 1},
    {"fire north", SDLK_w, 14, IN_FLIGHT, IN_FLIGHT, SDLK_w, 3},
    {"bomb", SDLK_q, 11, IN_FLIGHT, IN_FLIGHT, SDLK_q, 4},
    {"boost", SDLK_e, 10, IN_FLIGHT, IN_FLIGHT, SDLK_e, 5},
    {"pause", SDLK_p, 8, IN_FLIGHT, IN_FLIGHT, SDLK_p, PAD_START},
    {"leave", SDLK_ESCAPE, 9, IN_FLIGHT, IN_FLIGHT, SDLK_ESCAPE, PAD_BACK},
    {"volume down", SDLK_k, 17, IN_FLIGHT, IN_FLIGHT, SDLK_k, NO_PAD_BUTTON},
    {"volume up", SDLK_l, 16, IN_FLIGHT, IN_FLIGHT, SDLK_l, NO_PAD_BUTTON},
    {"confirm", SDLK_SPACE, 13, ANYWHERE, IN_MENUS, SDLK_SPACE, 0},
    {"back", SDLK_ESCAPE, 15, IN_MENUS, IN_MENUS, SDLK_ESCAPE, 1},
};

int liveBit(controlsContext where) {
  return where == controlsContext::FLIGHT ? IN_FLIGHT : IN_MENUS;
}

SDL_Event sentEvent(controlAction a, bool byKey, bool down) {
  SDL_Event event = {};
  if (byKey && ACTIONS[a].sends != SDLK_UNKNOWN) {
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.type = event.type;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = ACTIONS[a].sends;
  } else {
    event.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    event.jbutton.type = event.type;
    event.jbutton.button = static_cast<Uint8>(ACTIONS[a].button);
    event.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
  }
  return event;
}

// True when a menu action reads this key by default, so an unbound press of it is dropped.
bool menuReadsKey(SDLKey key) {
  for (const actionInfo& info : ACTIONS) {
    if ((info.keyLive & IN_MENUS) && info.sends == key) return true;
  }
  return false;
}

#ifndef SKARNFALL_WEB  // the page hands the browser's SDL the US key already
// The US keyboard's letter and digit rows by the scan code SDL reports: Windows's own (set 1)
// or the X11 key code (evdev codes + 8) elsewhere.
struct keyRow {
  int firstCode;
  const char* keys;
};
#ifdef SKARNFALL_WINDOWS
const keyRow US_ROWS[] = {
    {2, "1234567890"}, {16, "qwertyuiop"}, {30, "asdfghjkl"}, {44, "zxcvbnm"}};
#else
const keyRow US_ROWS[] = {
    {10, "1234567890"}, {24, "qwertyuiop"}, {38, "asdfghjkl"}, {52, "zxcvbnm"}};
#endif
#endif

std::string lowerTrimmed(const std::string& text) {
  size_t from = text.find_first_not_of(" \t\r");
  if (from == std::string::npos) return "";
  size_t to = text.find_last_not_of(" \t\r");
  std::string out;
  for (size_t i = from; i <= to; i++) {
    char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    if ((c == ' ' || c == '\t') && !out.empty() && out.back() == ' ') continue;  // one space
    out += c == '\t' ? ' ' : c;
  }
  return out;
}

int actionNamed(const std::string& name) {
  for (int a = 0; a < ACTION_COUNT; a++) {
    if (name == ACTIONS[a].name) return a;
  }
  return -1;
}

// Keypad keys are written "keypad 8" where SDL 1.2 says "[8]"; both are understood.
std::string keyName(SDLKey key) {
  std::string name = SDL_GetKeyName(key);
  if (name.size() == 3 && name[0] == '[' && name[2] == ']') return std::string("keypad ") + name[1];
  return name;
}

SDLKey keyNamed(const std::string& name) {
  for (int k = 1; k < SDLK_LAST; k++) {
    SDLKey key = static_cast<SDLKey>(k);
    if (name == keyName(key) || name == SDL_GetKeyName(key)) {
      return name == "unknown key" ? SDLK_UNKNOWN : key;
    }
  }
  return SDLK_UNKNOWN;
}

// "pad N" with N from 0 to LAST_PAD_BUTTON, else NO_PAD_BUTTON.
int padNamed(const std::string& name) {
  if (name.compare(0, 4, "pad ") != 0 || name.size() < 5 || name.size() > 6) return NO_PAD_BUTTON;
  int button = 0;
  for (size_t i = 4; i < name.size(); i++) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return NO_PAD_BUTTON;
    button = button * 10 + (name[i] - '0');
  }
  return button <= LAST_PAD_BUTTON ? button : NO_PAD_BUTTON;
}

// Two actions whose bindings (keys, or pad buttons) meet where both are live.
bool clash(const controlsMapping& c, int a, int b, bool keys) {
  if (keys) {
    return c.key[a] != SDLK_UNKNOWN && c.key[a] == c.key[b] &&
           (ACTIONS[a].keyLive & ACTIONS[b].keyLive) != 0;
  }
  return c.pad[a] != NO_PAD_BUTTON && c.pad[a] == c.pad[b] &&
         (ACTIONS[a].padLive & ACTIONS[b].padLive) != 0;
}

bool clashesWithAny(const controlsMapping& c, int a, bool keys) {
  for (int b = 0; b < ACTION_COUNT; b++) {
    if (b != a && clash(c, a, b, keys)) return true;
  }
  return false;
}

// Control characters other than tabs and line ends mark a file that is not text.
bool looksBinary(const std::string& text) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t' && c != '\n' && c != '\r') || u == 0x7f) return true;
  }
  return false;
}

// One accepted line of the file.
struct fileLine {
  int number;
  int action;
  bool isKey;
  std::string text;  // the binding as written, for the warning
  bool undone;
};
}  // namespace

controlsMapping defaultControls() {
  controlsMapping c;
  for (int a = 0; a < ACTION_COUNT; a++) {
    c.key[a] = ACTIONS[a].defaultKey;
    c.pad[a] = ACTIONS[a].defaultPad;
  }
  return c;
}

SDLKey keyByPosition(const SDL_keysym& keysym) {
#ifndef SKARNFALL_WEB
  for (const keyRow& row : US_ROWS) {
    int column = keysym.scancode - row.firstCode;
    if (column >= 0 && column < static_cast<int>(std::strlen(row.keys))) {
      return static_cast<SDLKey>(row.keys[column]);
    }
  }
#endif
  return keysym.sym;
}

bool translateKey(const controlsMapping& controls, controlsContext where, const SDL_Event& raw,
                  SDL_Event& out) {
  SDLKey key = keyByPosition(raw.key.keysym);
  bool down = raw.type == SDL_KEYDOWN;
  for (int a = 0; a < ACTION_COUNT; a++) {
    if (controls.key[a] == key && (ACTIONS[a].keyLive & liveBit(where))) {
      out = sentEvent(static_cast<controlAction>(a), true, down);
      return true;
    }
  }
  if (where == controlsContext::FLIGHT || menuReadsKey(raw.key.keysym.sym)) return false;
  out = raw;  // text-like keys (the high-score table's "h" and "q") keep their symbol
  return true;
}

bool translatePadButton(const controlsMapping& controls, controlsContext where, int rawButton,
                        bool down, SDL_Event& out) {
  for (int pass = 0; pass < 2; pass++) {
    int live = pass == 0 ? liveBit(where) : IN_FLIGHT;
    for (int a = 0; a < ACTION_COUNT; a++) {
      if (controls.pad[a] == rawButton && (ACTIONS[a].padLive & live)) {
        out = sentEvent(static_cast<controlAction>(a), false, down);
        return true;
      }
    }
    if (where == controlsContext::FLIGHT) break;
  }
  return false;
}

controlsMapping readControls(const std::string& text, const std::string& fileName,
                             std::vector<std::string>& warnings) {
  controlsMapping c = defaultControls();
  std::vector<fileLine> taken;
  bool seen[ACTION_COUNT][2] = {};
  auto warn = [&](int number, const std::string& why) {
    warnings.push_back(fileName + ":" + std::to_string(number) + ": " + why + "; line ignored");
  };
  size_t start = 0;
  for (int number = 1; start < text.size(); number++) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    line = lowerTrimmed(line.substr(0, line.find('#')));
    if (line.empty()) continue;
    size_t equals = line.find('=');
    if (equals == std::string::npos) {
      warn(number, "expected 'action = key'");
      continue;
    }
    std::string name = lowerTrimmed(line.substr(0, equals));
    std::string binding = lowerTrimmed(line.substr(equals + 1));
    int a = actionNamed(name);
    if (a < 0) {
      warn(number, "unknown action '" + name + "'");
      continue;
    }
    int pad = padNamed(binding);
    SDLKey key = pad == NO_PAD_BUTTON ? keyNamed(binding) : SDLK_UNKNOWN;
    if (pad == NO_PAD_BUTTON && key == SDLK_UNKNOWN) {
      warn(number, "unknown key '" + binding + "'");
      continue;
    }
    bool isKey = pad == NO_PAD_BUTTON;
    if (seen[a][isKey]) {
      warn(number,
           std::string("a second ") + (isKey ? "key" : "pad button") + " for '" + name + "'");
      continue;
    }
    seen[a][isKey] = true;
    if (isKey) {
      c.key[a] = key;
    } else {
      c.pad[a] = pad;
    }
    taken.push_back({number, a, isKey, binding, false});
  }
  // A clash is the fault of the last line that made it: undo lines from the last one back,
  // and again while an undone line's default clashes anew, until no key or button serves
  // two actions at once.
  for (bool undone = true; undone;) {
    undone = false;
    for (auto line = taken.rbegin(); line != taken.rend(); ++line) {
      if (line->undone || !clashesWithAny(c, line->action, line->isKey)) continue;
      if (line->isKey) {
        c.key[line->action] = ACTIONS[line->action].defaultKey;
      } else {
        c.pad[line->action] = ACTIONS[line->action].defaultPad;
      }
      warn(line->number, "'" + line->text + "' already serves another action at the same time");
      line->undone = undone = true;
    }
  }
  return c;
}

std::string formatControls(const controlsMapping& controls) {
  loadKeyNames();
  std::string text;
  for (int a = 0; a < ACTION_COUNT; a++) {
    std::string name = ACTIONS[a].name;
    if (controls.key[a] != SDLK_UNKNOWN) text += name + " = " + keyName(controls.key[a]) + "\n";
    if (controls.pad[a] != NO_PAD_BUTTON) {
      text += name + " = pad " + std::to_string(controls.pad[a]) + "\n";
    }
    if (controls.key[a] == SDLK_UNKNOWN && controls.pad[a] == NO_PAD_BUTTON) {
      text += "# " + name + " = (none)\n";
    }
  }
  return text;
}

std::string controlsFilePath() {
#ifdef SKARNFALL_WINDOWS
  // Beside the saves: %APPDATA%\Skarnfall, or the program's folder for a portable copy.
  std::string folder = openTargetStore();
  return folder.empty() ? "" : folder + "\\controls.conf";
#else
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/')
    return std::string(config) + "/skarnfall/controls.conf";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/')
    return std::string(home) + "/.config/skarnfall/controls.conf";
  return "";
#endif
}

controlsMapping loadControlsFile(const std::string& path, std::vector<std::string>& warnings) {
  loadKeyNames();
  FILE* file = path.empty() ? nullptr : openPlainFileForReading(path.c_str());
  if (file == nullptr) {
    if (!path.empty() && access(path.c_str(), F_OK) == 0) {
      warnings.push_back(path + ": not a plain file; the default controls hold");
    }
    return defaultControls();
  }
  std::string text;
  char chunk[4096];
  size_t got;
  while (static_cast<long>(text.size()) <= MAX_CONTROLS_FILE_BYTES &&
         (got = fread(chunk, 1, sizeof chunk, file)) > 0) {
    text.append(chunk, got);
  }
  bool readFailed = ferror(file) != 0;
  fclose(file);
  if (readFailed || static_cast<long>(text.size()) > MAX_CONTROLS_FILE_BYTES || looksBinary(text)) {
    warnings.push_back(path + ": not a controls file (unreadable, binary or over " +
                       std::to_string(MAX_CONTROLS_FILE_BYTES) +
                       " bytes); the default controls hold");
    return defaultControls();
  }
  return readControls(text, path, warnings);
}
