# The core and its suites for 32-bit x86 Linux (i386), built with Debian's cross
# compiler, to prove the 32-bit arithmetic on machines whose kernel runs no
# 32-bit program. Linked statically, so that user-mode emulation (qemu-i386)
# needs no i386 libraries; where the kernel does run 32-bit programs, they run
# natively. The SSE2 flags are the 32-bit Windows program's (top CMakeLists).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH /usr/i686-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# GoogleTest's streaming of results to a socket, unused here, would make the
# static link warn about getaddrinfo.
set(CMAKE_CXX_FLAGS_INIT -DGTEST_CAN_STREAM_RESULTS_=0)

execute_process(COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/runs-32-bit-programs.sh --quiet
  RESULT_VARIABLE runs_32_bit)
if(NOT runs_32_bit EQUAL 0)
  find_program(DBMCONV_QEMU_I386 qemu-i386 REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${DBMCONV_QEMU_I386}")
endif()
