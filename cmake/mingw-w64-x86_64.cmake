# Cross-compiles for Windows x64 with Debian's mingw-w64 (posix threads); binaries run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${triple}-windres)
set(CMAKE_DLLTOOL      ${triple}-dlltool CACHE FILEPATH "dlltool for import libraries")

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The DLLs every program of this compiler needs beside it (C++ and GCC runtimes, posix threads), from
# wherever this GCC keeps them.
set(MINGW_RUNTIME_DLLS "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  if(NOT IS_ABSOLUTE "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  cmake_path(NORMAL_PATH path)
  list(APPEND MINGW_RUNTIME_DLLS ${path})
endforeach()
unset(path)

# Debian's googletest package holds GoogleTest's sources only: a project builds them for this target.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources")

# Every target binary is run through Wine (tests, tools, benchmarks); the SDK's copy of this file has
# no runner beside it.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
endif()
