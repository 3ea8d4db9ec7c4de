#!/usr/bin/env bash
# Installs everything, builds, and runs every test under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${ORTUS_BUILD_DIR:-$root/build}")

"$root/scripts/build.sh"
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
"$build/wine-run"   # create the prefix and start Wine once, before tests run in parallel
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
