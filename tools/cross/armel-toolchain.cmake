# Cross build for the handheld: 32-bit ARMv4T, soft-float (Debian armel), against a
# Debian 12 armel sysroot, with qemu-user running the built programs (media, tests).
# Usage: cmake -DCMAKE_TOOLCHAIN_FILE=tools/cross/armel-toolchain.cmake -DCMAKE_SYSROOT=<sysroot>
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-linux-gnueabi-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabi-g++)
if(NOT CMAKE_SYSROOT)
  message(FATAL_ERROR "Set CMAKE_SYSROOT to a Debian 12 armel sysroot (tools/cross/check-arm.sh makes one)")
endif()

# The handheld's processor, an ARM920T: ARMv4T, ARM instructions, no floating-point unit.
# Debian's armel libraries, start files and libgcc stay ARMv5TE builds, so the linked program
# is marked ARMv5TE; only the game's own objects are held to ARMv4T (tools/cross/armv4t-scan.sh).
set(CMAKE_C_FLAGS_INIT "-march=armv4t -marm -mfloat-abi=soft")
set(CMAKE_CXX_FLAGS_INIT "-march=armv4t -marm -mfloat-abi=soft -Wno-psabi")

# Headers, libraries and CMake packages from the sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_SYSROOT_DIR} "${CMAKE_SYSROOT}")
set(ENV{PKG_CONFIG_LIBDIR}
  "${CMAKE_SYSROOT}/usr/lib/arm-linux-gnueabi/pkgconfig:${CMAKE_SYSROOT}/usr/share/pkgconfig")

# An ARMv5TE processor, the oldest qemu offers: the sysroot's classic SDL 1.2 needs no ARMv6.
set(SKARNFALL_QEMU_CPU arm926)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-arm -cpu ${SKARNFALL_QEMU_CPU} -L "${CMAKE_SYSROOT}")
