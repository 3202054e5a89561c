# Warnings are on for every target of the project, and a clean build is the norm:
# DBMCONV_WERROR turns them into errors (CI sets it).
option(DBMCONV_WERROR "Treat compiler warnings as errors" OFF)

function(dbmconv_set_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /utf-8)
    if(DBMCONV_WERROR)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(DBMCONV_WERROR)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  endif()
endfunction()
