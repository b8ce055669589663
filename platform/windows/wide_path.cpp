// Converting paths between the game's UTF-8 and Windows's UTF-16.
#include "platform/windows/wide_path.h"

#include <windows.h>

std::wstring widePath(const std::string& path) {
  int length =
      MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), &wide[0], length);
  return wide;
}

std::string narrowPath(const std::wstring& path) {
  int size = static_cast<int>(path.size());
  int length = WideCharToMultiByte(CP_UTF8, 0, path.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path.data(), size, &narrow[0], length, nullptr, nullptr);
  return narrow;
}
