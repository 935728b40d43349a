# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling the Windows program (64-bit) with Debian's MinGW-w64 toolchain:
# g++-mingw-w64-x86-64 (either thread flavour) and binutils-mingw-w64-x86-64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOCARTA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER ${VOCARTA_MINGW_TRIPLET}-g++)
set(CMAKE_RC_COMPILER ${VOCARTA_MINGW_TRIPLET}-windres)

# Headers and libraries come from the MinGW sysroot only; programs (the build tools run on this
# machine) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VOCARTA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
