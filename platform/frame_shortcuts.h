// The shortcuts that make a frame cheap to draw without changing a pixel of it. Each can be
// turned off, so that a check can compare the frames drawn with and without it.
#pragma once

struct frameShortcutSwitches {
  bool sheetRuns = true;     // sprite sheets drawn by their pre-encoded visible runs
  bool opaqueCopy = true;    // an opaque picture presented by a plain copy, not a blend
  bool keptNumbers = true;   // status-bar numbers rendered again only when they change
  bool coveredClear = true;  // no black under a first background layer that covers it
  bool fadedCopy = true;     // a fade over black drawn by the game, then copied, not blended
};

extern frameShortcutSwitches frameShortcuts;
