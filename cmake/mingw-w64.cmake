# Cross-building for Windows on Debian with MinGW-w64 (posix threads, so the C++
# runtime has std::thread and thread-safe statics), and running what is built
# under Wine. Included by the toolchain file of each processor, which sets
# CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)
set(DBMCONV_MINGW_TRIPLET ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${DBMCONV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DBMCONV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${DBMCONV_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DBMCONV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Wine runs a 32-bit program with its 32-bit loader (Debian's wine32), a 64-bit
# one with wine64.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  find_program(DBMCONV_WINE NAMES wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
else()
  find_program(DBMCONV_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
endif()
if(DBMCONV_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${DBMCONV_WINE}")
endif()
