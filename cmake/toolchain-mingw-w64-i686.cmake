# The 32-bit Windows program (x86), which runs on every Windows from 7 SP1 on,
# 32- or 64-bit.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
