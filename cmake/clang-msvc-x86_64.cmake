# Builds C programs for Windows x64 with the MSVC ABI, as an MSVC-built host is, on Debian: clang-16 and
# lld-link-16 (packages clang-16, lld-16) with mingw-w64's headers and system import libraries. There is
# no C runtime to link: a program defines its own entry point (target_link_options(... "LINKER:/entry:Name"))
# and uses Win32 only: no memset (SecureZeroMemory, not ZeroMemory) and no __chkstk (locals under 4 KB a
# function). find_package(Ortus COMPONENTS C) then gives Ortus::C with the MSVC import library.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(mingw /usr/x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang-16)
set(CMAKE_C_COMPILER_TARGET x86_64-pc-windows-msvc)
set(CMAKE_LINKER lld-link-16)
# Without -fgnuc-version mingw-w64's headers drop __attribute__ and clang's own headers fail.
set(CMAKE_C_FLAGS_INIT "-fgnuc-version=4.2.1 -isystem ${mingw}/include")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld-link -Wl,/nodefaultlib")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld-link -Wl,/nodefaultlib")
set(CMAKE_C_STANDARD_LIBRARIES "${mingw}/lib/libkernel32.a ${mingw}/lib/libuser32.a ${mingw}/lib/libshell32.a")
set(CMAKE_MSVC_RUNTIME_LIBRARY "")
# The compiler checks link no program: there is no runtime to start one.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

set(CMAKE_FIND_ROOT_PATH ${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
