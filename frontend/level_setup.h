// Filling a level from the content tables: sprite sheets, a theme's background layers
// and its waves of formation patterns.
#pragma once
#include "content/level_content.h"

class level;

// Loads each row's sheet into its slot, then its offsets, then its frame count.
void loadSheets(level& target, const sheetRow* rows, int count);
// Loads the theme's background sheets, then adds one layer per sheet.
void addThemeLayers(level& target, const themeRow& theme);
// Builds the theme's waves and hands them to the level in release order.
void addThemeWaves(level& target, const themeRow& theme);
