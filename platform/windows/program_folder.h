// The folder that holds Skarnfall.exe.
#pragma once
#include <string>

// As UTF-8 with Windows's separators; "" when it cannot be found.
std::string programFolder();
