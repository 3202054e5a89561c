# Compiles the resource script with MinGW's windres and checks that the version
# block carries its strings as UTF-16: the Chinese name and the version 1.00.
# usage: cmake -DWINDRES=... -DRC=... -DOUT=... -P check_windows_resource.cmake
execute_process(
  COMMAND "${WINDRES}" --preprocessor=gcc --preprocessor-arg=-E --preprocessor-arg=-xc
          --preprocessor-arg=-DRC_INVOKED -O coff -i "${RC}" -o "${OUT}"
  RESULT_VARIABLE result
  ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "windres failed: ${errors}")
endif()

file(READ "${OUT}" resource HEX)
# UTF-16LE of 功率和dBm换算, of 1.00, and of the zh-CN/Unicode block name 080404b0
set(expected
  "9f5287738c54640042006d006263977b"
  "31002e0030003000"
  "30003800300034003000340062003000")
foreach(hex IN LISTS expected)
  string(FIND "${resource}" "${hex}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "resource lacks the UTF-16 text ${hex}")
  endif()
endforeach()
# the language and code page in VarFileInfo: 0x0804, 1200 (0x04b0)
string(FIND "${resource}" "0408b004" found)
if(found EQUAL -1)
  message(FATAL_ERROR "resource lacks the translation 0x0804, 1200")
endif()
# one icon group with two images
string(FIND "${resource}" "0000010002001010100001000400" found)
if(found EQUAL -1)
  message(FATAL_ERROR "resource lacks the two-image icon group")
endif()
message(STATUS "windows resource ok")
