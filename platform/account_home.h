// The home folder the system's account records give the player, for a game started without
// HOME. One file per system answers this.
#pragma once

// An absolute folder, or null when the system keeps none.
const char* accountHomeFolder();
