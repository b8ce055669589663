# Cross build for Windows on x86-64: MinGW-w64's POSIX-threads compilers from Debian 12,
# against the libraries tools/cross/mingw.sh builds into a prefix, with Wine running the
# built programs (tests, runner).
# Usage: cmake -DCMAKE_TOOLCHAIN_FILE=tools/cross/mingw-toolchain.cmake -DSKARNFALL_WINDOWS_PREFIX=<prefix>
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES SKARNFALL_WINDOWS_PREFIX)
if(NOT SKARNFALL_WINDOWS_PREFIX)
  message(FATAL_ERROR "Set SKARNFALL_WINDOWS_PREFIX to the Windows libraries' prefix (tools/cross/check-windows.sh makes one)")
endif()
set(CMAKE_FIND_ROOT_PATH "${SKARNFALL_WINDOWS_PREFIX}" /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# libgcc, libstdc++ and winpthread inside each program: no MinGW DLLs to carry.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -Wl,-Bstatic,--whole-archive -lwinpthread -Wl,--no-whole-archive,-Bdynamic")
# Debian 12's 64-bit Wine loader; WINEPREFIX and WINEPATH come from the caller.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
