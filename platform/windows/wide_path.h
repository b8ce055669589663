// The game's paths are UTF-8 with '/' between folders; Windows's own calls take UTF-16.
#pragma once
#include <string>

// UTF-8 to UTF-16 ('/' kept: Windows takes either separator), and back.
std::wstring widePath(const std::string& path);
std::string narrowPath(const std::wstring& path);
