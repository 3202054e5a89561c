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

# Whether 32-bit Wine can run here at all: not on a kernel that runs no 32-bit
# program. There the tests that would run 32-bit code are reported as skipped
# with this reason; those that only read what was built still run.
execute_process(COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/runs-32-bit-programs.sh
  OUTPUT_VARIABLE answer RESULT_VARIABLE runs_32_bit OUTPUT_STRIP_TRAILING_WHITESPACE)
set(DBMCONV_NO_32_BIT_WINE "")
if(NOT runs_32_bit EQUAL 0)
  set(DBMCONV_NO_32_BIT_WINE "${answer}, so 32-bit Wine cannot run here")
endif()
set(DBMCONV_CANNOT_RUN "")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(DBMCONV_CANNOT_RUN "${DBMCONV_NO_32_BIT_WINE}")
endif()
# Where 32-bit code runs only under user-mode emulation for the test command's
# run (scripts/emulate-32-bit.sh; the command says how in
# DBMCONV_32_BIT_EMULATION), each 32-bit Wine process spends a minute of
# processor time translating Wine before it does anything. The default run
# has room for the program's end-to-end test and its core suite; every other
# test that runs 32-bit code is left to the long run
# (DBMCONV_ALL_EMULATED_TESTS=1), and reported as skipped with this reason.
# Their time-outs, and the waits of the tests that start them, grow with the
# emulation's slowness that the command measured (DBMCONV_32_BIT_SLOWNESS).
set(DBMCONV_32_BIT_EMULATION "$ENV{DBMCONV_32_BIT_EMULATION}")
set(DBMCONV_32_BIT_LONG_RUN_ONLY "")
set(DBMCONV_32_BIT_WAIT_SCALE 1)
if(DBMCONV_32_BIT_EMULATION)
  if(NOT "$ENV{DBMCONV_ALL_EMULATED_TESTS}" STREQUAL "1")
    set(DBMCONV_32_BIT_LONG_RUN_ONLY
      "32-bit code runs here only under user-mode emulation (${DBMCONV_32_BIT_EMULATION}), a minute for each Wine process to start: this test runs in scripts/test.sh --long")
  endif()
  if("$ENV{DBMCONV_32_BIT_SLOWNESS}" MATCHES "^[1-9][0-9]*$")
    set(DBMCONV_32_BIT_WAIT_SCALE "$ENV{DBMCONV_32_BIT_SLOWNESS}")
  endif()
endif()
set(DBMCONV_LONG_RUN_ONLY "")
set(DBMCONV_WAIT_SCALE 1)
set(DBMCONV_EMULATED "")
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(DBMCONV_EMULATED "${DBMCONV_32_BIT_EMULATION}")
  set(DBMCONV_LONG_RUN_ONLY "${DBMCONV_32_BIT_LONG_RUN_ONLY}")
  set(DBMCONV_WAIT_SCALE ${DBMCONV_32_BIT_WAIT_SCALE})
endif()

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
