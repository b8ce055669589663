// All drawing shortcuts on: the game never turns them off.
#include "engine/frame_shortcuts.h"

frameShortcutSwitches frameShortcuts;
