// Choosing and claiming the folder that keeps a run's profiles and records.
#pragma once
#include <string>

// The file that `cmake --install` leaves beside an installed program: its saves belong in
// each player's own data folder, not beside the program (which players may not write).
constexpr const char* SAVES_IN_DATA_HOME_MARKER = "saves-in-data-home";

// The save folder for a game directory: "" (the directory itself) without the marker,
// otherwise $XDG_DATA_HOME/skarnfall, or $HOME/.local/share/skarnfall when XDG_DATA_HOME is
// unset, empty or relative. "" in error when it has the marker but no home is known.
std::string chooseSaveFolder(const std::string& gameDir, std::string& error);

// Where the account's home folder is looked up when HOME is unset or relative: the password
// database. Null when the account has none. Tests replace it to play other accounts.
extern const char* (*accountHomeLookup)();

// Start-up before SDL: into the game's own directory (enterGameDirectory, where the marker,
// the media and the lock are looked for), then the save folder chosen (the data home's
// when savesInDataHome and the game has the marker, else the game directory) and claimed.
// False with a one-line reason in error; nothing is claimed when the directory is not found.
bool settleIn(bool (*enterGameDirectory)(), bool savesInDataHome, std::string& error);

// Makes the save folder ready for this run: creates it (a data folder gets the five empty
// profile slots it lacks), points save paths at it, locks it against a second copy and
// removes stale temporary files. False with a one-line reason in error.
bool claimSaveFolder(const std::string& folder, std::string& error);
