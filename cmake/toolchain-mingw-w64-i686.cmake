# The 32-bit Windows program (x86), which runs on every Windows from 7 SP1 on,
# 32- or 64-bit. It computes with SSE2, as the 64-bit one does: x87 arithmetic
# would round twice and give other digits than every other build. Windows 8 and
# later need SSE2 anyway; a Windows 7 PC without it (a Pentium III or Athlon XP)
# cannot run the program.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
