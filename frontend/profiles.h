// The profile files: five slots, each a 131-byte file of a marker, a 30-character name
// and 100 one-byte settings. Shared by the profile storage and the profile selection screen.
#pragma once
#include <cstdio>
#include <string>

constexpr int PROFILE_SLOTS = 5;
constexpr int PROFILE_NAME_LENGTH = 30;
constexpr int PROFILE_SETTINGS = 100;
constexpr int PROFILE_FILE_BYTES = 1 + PROFILE_NAME_LENGTH + PROFILE_SETTINGS;  // 131
// healthSettings[L] is level L's starting health, healthSettings[L + 20] the lowest
// starting health it was completed with (0: never).
constexpr int COMPLETION_RECORD_OFFSET = 20;
constexpr char PROFILE_EMPTY_MARKER = '0';
constexpr char PROFILE_STORED_MARKER = '1';

bool isProfileSlot(int slot);
// "profiles/profile0<slot>.txt" in the save folder
std::string profileFileName(int slot);
// The next byte of a profile file; the end of the file reads as 255.
unsigned char readProfileByte(FILE* file);
// Reads count bytes into text (end of file as 255), without a terminator.
void readProfileBytes(FILE* file, char* text, int count);

// The one writer of profile files: the marker, the first 30 characters of name and the
// settings, each stored as the byte '0' + value (low eight bits). Written atomically, so a
// failed write keeps the old file; false then, and nothing is printed.
bool writeProfileFile(int slot, char marker, const char* name, const int settings[]);

// What the profile selection screen lists: each slot's name and whether it holds a profile.
struct profileSlotList {
  char names[PROFILE_SLOTS][PROFILE_NAME_LENGTH + 1];
  bool empty[PROFILE_SLOTS];
};
// Every slot named "EMPTY" padded with spaces.
void startEmptySlots(profileSlotList& slots);
// Reads which slots hold a profile and their names; an empty slot keeps the name it had.
// Prints "Cannot open file " and returns false, at the first slot file that cannot be opened.
bool readProfileSlots(profileSlotList& slots);
