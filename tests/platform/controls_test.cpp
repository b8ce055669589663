// The player's controls file: each kind of file ends in the mapping and warnings expected,
// and none of them, a FIFO included, holds the game up.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "tests/support/headless.h"

namespace {
enum class fileKind { TEXT, MISSING, FIFO };

struct change {
  controlAction action;
  SDLKey key;  // SDLK_UNKNOWN: the key stays the default
  int pad;     // NO_PAD_BUTTON: the button stays the default
};

struct fileCase {
  const char* what;
  fileKind kind;
  std::string text;
  std::vector<change> changes;        // from the defaults
  std::vector<std::string> warnings;  // how each begins after the file's path
};

// A good line, then one comment line up to MAX_CONTROLS_FILE_BYTES and extra bytes more.
std::string longFile(long extra) {
  return "bomb = x\n" + std::string(MAX_CONTROLS_FILE_BYTES - 9 + extra, '#');
}
}  // namespace

TEST(ControlsFile, EveryKindOfFileEndsInItsMappingAndWarnings) {
  const fileCase cases[] = {
      {"good lines",
       fileKind::TEXT,
       "# mine\nfire west = left ctrl\n  Bomb   =  X \nmove up-left = keypad 7\n"
       "move up-right = [9]\nconfirm = pad 2\nback = p\n",
       {{FIRE_WEST, SDLK_LCTRL, NO_PAD_BUTTON},
        {BOMB, SDLK_x, NO_PAD_BUTTON},
        {MOVE_UP_LEFT, SDLK_KP7, NO_PAD_BUTTON},
        {MOVE_UP_RIGHT, SDLK_KP9, NO_PAD_BUTTON},
        {CONFIRM, SDLK_UNKNOWN, 2},
        {BACK, SDLK_p, NO_PAD_BUTTON}},
       {}},
      {"unknown actions and keys",
       fileKind::TEXT,
       "fire up = x\nbomb = hyperspace\nboost = pad 100\nboost\nvolume up = f5\n",
       {{VOLUME_UP, SDLK_F5, NO_PAD_BUTTON}},
       {":1: unknown action 'fire up'", ":2: unknown key 'hyperspace'", ":3: unknown key 'pad 100'",
        ":4: expected 'action = key'"}},
      {"a second line for one action",
       fileKind::TEXT,
       "bomb = x\nbomb = pad 9\nbomb = c\n",
       {{BOMB, SDLK_x, 9}},
       {":3: a second key for 'bomb'"}},
      {"keys serving two live actions",
       fileKind::TEXT,
       "bomb = a\nleave = space\nfire north = pad 0\npause = f1\nfire south = f1\n",
       {{PAUSE, SDLK_F1, NO_PAD_BUTTON}},
       {":5: 'f1' already serves", ":3: 'pad 0' already serves", ":2: 'space' already serves",
        ":1: 'a' already serves"}},
      {"an undone line's default clashing anew",
       fileKind::TEXT,
       "bomb = s\nfire west = q\n",
       {},
       {":1: 's' already serves", ":2: 'q' already serves"}},
      {"a swap in two lines",
       fileKind::TEXT,
       "fire west = q\nbomb = a\n",
       {{FIRE_WEST, SDLK_q, NO_PAD_BUTTON}, {BOMB, SDLK_a, NO_PAD_BUTTON}},
       {}},
      {"what --controls prints", fileKind::TEXT, formatControls(defaultControls()), {}, {}},
      {"empty", fileKind::TEXT, "", {}, {}},
      {"missing", fileKind::MISSING, "", {}, {}},
      {"binary",
       fileKind::TEXT,
       "\x7f"
       "ELF\x02\x01\nbomb = x\n",
       {},
       {": not a controls"}},
      {"FIFO", fileKind::FIFO, "", {}, {": not a plain file"}},
      {"as long as may be", fileKind::TEXT, longFile(0), {{BOMB, SDLK_x, NO_PAD_BUTTON}}, {}},
      {"a byte too long", fileKind::TEXT, longFile(1), {}, {": not a controls"}},
  };
  scratchGameDir scratch;
  for (const fileCase& c : cases) {
    const std::string path = scratch.path + "/controls.conf";
    unlink(path.c_str());
    if (c.kind == fileKind::TEXT) writeWholeFile(path, c.text);
    if (c.kind == fileKind::FIFO) {
#ifdef SKARNFALL_WINDOWS
      continue;  // Windows has no FIFOs in its folders
#else
      ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
#endif
    }
    std::vector<std::string> warnings;
    controlsMapping got = loadControlsFile(path, warnings);
    controlsMapping expected = defaultControls();
    for (const change& ch : c.changes) {
      if (ch.key != SDLK_UNKNOWN) expected.key[ch.action] = ch.key;
      if (ch.pad != NO_PAD_BUTTON) expected.pad[ch.action] = ch.pad;
    }
    EXPECT_EQ(formatControls(got), formatControls(expected)) << c.what;
    ASSERT_EQ(warnings.size(), c.warnings.size()) << c.what;
    for (size_t i = 0; i < warnings.size(); i++) {
      EXPECT_EQ(warnings[i].rfind(path + c.warnings[i], 0), 0u) << c.what << ": " << warnings[i];
    }
  }
}
