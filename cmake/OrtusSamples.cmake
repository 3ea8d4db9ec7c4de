# The SDK's samples, built against the installed package:
#   cmake -S share/ortus/samples -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=share/ortus/mingw-w64-x86_64.cmake
#         -DCMAKE_PREFIX_PATH=<the SDK's folder>
cmake_minimum_required(VERSION 3.25)
project(OrtusSamples LANGUAGES CXX)

find_package(Ortus REQUIRED)
add_compile_definitions(_WIN32_WINNT=0x0A00 WINVER=0x0A00)  # the Windows the samples are written for
add_subdirectory(desktop)
add_subdirectory(quasar)
