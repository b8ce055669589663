/* Asks a window to close as its close button does (WM_CLOSE), for the Windows check under
 * Wine, where no window manager draws a close button to press.
 * Usage: close_window.exe CLASS TITLE   (exits 1 when no such window is found) */
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  HWND window = argc == 3 ? FindWindowW(argv[1], argv[2]) : NULL;
  return window != NULL && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
}
