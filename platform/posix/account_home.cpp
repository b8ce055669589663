// The account's home folder from the password database.
#include "platform/account_home.h"

#include <pwd.h>
#include <unistd.h>

const char* accountHomeFolder() {
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr ? entry->pw_dir : nullptr;
}
