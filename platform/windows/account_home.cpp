// Windows keeps the saves in the application data folder, not under a home folder.
#include "platform/account_home.h"

const char* accountHomeFolder() { return nullptr; }
