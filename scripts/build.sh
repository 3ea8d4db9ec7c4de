#!/usr/bin/env bash
# Installs what is missing, then configures and builds the project into build/ (or $ORTUS_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${ORTUS_BUILD_DIR:-$root/build}")

"$root/scripts/setup.sh" "$@"
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$build"
