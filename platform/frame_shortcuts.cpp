// All drawing shortcuts on: the game never turns them off.
#include "platform/frame_shortcuts.h"

frameShortcutSwitches frameShortcuts;
